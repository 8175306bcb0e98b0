/* The network link library: eight calls with C linkage that reach the drive
 * over TCP/IP. Requests are asynchronous: a request call only queues the
 * request and returns at once; KNR_PollForResponse then drives the exchange
 * and reports its outcome.
 *
 * Protocol: Modbus TCP (MBAP header, unit 1), functions 3 (read holding
 * registers) and 16 (write multiple registers), register address of
 * parameter m.p = m * 100 + p - 1. One connection per user, opened on the
 * first request to a node and kept while requests go to that node. When a
 * kept connection turns out closed (the drive drops idle connections) before
 * any byte of the reply came, the request is sent again, once, on a new
 * connection within the same time-out.
 *
 * Parameter record (5 x int32) given to KNR_SetParameters:
 *   [0] 4 (record version; any other value is refused),
 *   [1] response time-out in microseconds, 1000..999999 (the program
 *       gives 900000); a request with no complete reply by then fails,
 *   [2] -1 and [3] 254: reserved, ignored,
 *   [4] TCP port of the drive, 0 meaning the Modbus port 502 (tests give
 *       another so that they need no privileges).
 * The record is copied by KNR_RegisterUser: users keep the parameters in
 * force when they were registered.
 *
 * Object record (8 x int32): kind (1), menu, parameter, 0, value, 0, 0, 0.
 * Node address: "(a.b.c.d)", four decimal fields 0..255.
 *
 * Response word of KNR_PollForResponse: 0 while the exchange goes on;
 * otherwise the kind in the low 16 bits (17 read, 18 write, 23 list read,
 * 24 list write) and the status in the high 16 bits: 1 success,
 * 2 no reply in time, 3 connection refused or lost, 4 malformed reply,
 * 0x80 + code for an exception reply of the drive, 5 no request pending.
 */
#ifndef ORVANE_KNR_H
#define ORVANE_KNR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KNR_TAILLE_PARAMETRES 5
#define KNR_TAILLE_OBJET 8
#define KNR_OBJETS_LISTE 10
#define KNR_PORT_MODBUS 502

/* Response kinds and statuses. */
#define KNR_LECTURE 17
#define KNR_ECRITURE 18
#define KNR_LECTURE_LISTE 23
#define KNR_ECRITURE_LISTE 24
#define KNR_SUCCES 1
#define KNR_DELAI 2
#define KNR_CONNEXION 3
#define KNR_REPONSE_INVALIDE 4
#define KNR_AUCUNE_REQUETE 5
#define KNR_EXCEPTION 0x80

/* Failure codes of the calls (negative for KNR_RegisterUser's handle). */
#define KNR_ERR_POINTEUR 1     /* null record or node */
#define KNR_ERR_VERSION 2      /* parameter record version not 4 */
#define KNR_ERR_HANDLE 3       /* unknown user */
#define KNR_ERR_OCCUPE 4       /* a request of this user is still pending */
#define KNR_ERR_NOEUD 5        /* node address not "(a.b.c.d)" */
#define KNR_ERR_OBJET 6        /* kind not 1, parameter out of range or bad count */
#define KNR_ERR_SYSTEME 7      /* the system refused a socket */
#define KNR_ERR_UTILISATEURS 8 /* no free user slot */

int32_t KNR_SetParameters(const int32_t* parametres);
int32_t KNR_RegisterUser(int32_t a, int32_t b, int32_t c, int32_t d);
int32_t KNR_DeleteUser(int32_t handle);
int32_t KNR_ReadObject(int32_t handle, const char* noeud, int32_t* objet);
int32_t KNR_ReadObjectList(int32_t handle, const char* noeud, int32_t* objets, int32_t n);
int32_t KNR_WriteObject(int32_t handle, const char* noeud, int32_t* objet);
int32_t KNR_WriteObjectList(int32_t handle, const char* noeud, int32_t* objets, int32_t n);
int32_t KNR_PollForResponse(int32_t handle);

#ifdef __cplusplus
}
#endif

#endif
