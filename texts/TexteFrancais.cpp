// French text table. Strings are UTF-8; the odd spellings and spacing are the
// program's own texts and are kept as they are.
// clang-format off
#include "texts/TextesOrvane.h"

namespace orvane {

constinit const TTextesOrvane TexteFrancais = {
    "CFGAPPFR.cfg",
    "Fichiers",
    "Essai",
    {{
        {"Numéro", "N°", "", 4000, 0, 0},
        {"Vitesse de rotation", "n", "tr/min", 1500, 0, 0},
        {"Couple utile", "Tu", "Nm", 2000, -2, 2},
        {"Puissance mécanique", "Pm", "W", 30000, -1, 1},
        {"Tension", "U", "V", 5000, -1, 1},
        {"Courant", "I", "A", 20000, -3, 3},
        {"Puissance électrique", "Pe", "W", 30000, -1, 1},
        {"Courant d'excitation", "Ie", "A", 2000, -3, 3},
        {"Rendement", "Rd", "", 1000, -3, 3},
        {"Facteur de puissance", "Fp", "", 1000, -3, 3},
        {"Pertes", "Pertes", "W", 30000, -1, 1},
        {"Temps", "t", "s", 6000, -2, 2},
    }},
    // texts 1 to 29
    {{
        "OK",  // 1
        "Annuler",  // 2
        " Fermer",  // 3
        "Fermeture de la fenêtre",  // 4
        "Tracé des caractéristiques d'une machine",  // 5
        "Trace les caractéristiques électriques et mécaniques de la machine d'étude ",  // 6
        "Comportement sur application industrielle",  // 7
        "Trace les caractéristiques statiques sur une charge industrielle",  // 8
        "Visualisation temporelle sur application industrielle",  // 9
        "Trace les caractéristiques dynamiques sur une charge industrielle",  // 10
        "Ouvrir un fichier",  // 11
        "Ouverture d'un fichier enregistré",  // 12
        "Nouveau travail",  // 13
        "Efface le travail en cours ",  // 14
        "Configuration",  // 15
        "Configuration de la communication avec la charge active",  // 16
        "Quitter",  // 17
        "Fin du programme",  // 18
        "Caractéristiques",  // 19
        "Comportement",  // 20
        "Temporel",  // 21
        "MACHINE",  // 22
        "CHARGE",  // 23
        "VISUALISATION",  // 24
        "Visualisation des grandeurs électriques et mécaniques",  // 25
        "ETUDE",  // 26
        "Tracé des caractéristiques",  // 27
        "APPLICATIONS",  // 28
        "Visualisation des applications industrielles",  // 29
    }},
    // NomMachine
    {{
        "",
        "MCC Indépendante",
        "MCC Série",
        "MAS Triphasée",
        "MS Triphasée",
        "Alimentation continue",
        "Alimentation triphasée",
        "Alimentation monophasée",
    }},
    // TitreMachine
    {{
        "",
        " Machine courant continu : excitation indépendante",
        " Machine courant continu : excitation série",
        " Machine asynchrone triphasée",
        " Machine synchrone triphasée",
        " Motovariateur alimenté en continu",
        " Motovariateur alimenté en triphasé",
        " Motovariateur alimenté en monophasé",
    }},
    // TitreCharge
    {{
        "",
        " Charge mécanique : T = K",
        " Charge mécanique : n = cste",
        " Charge mécanique : n = K",
        " Charge mécanique : T = K.(n-No)",
        " Aide au couplage sur le réseau",
        " Charge mécanique : T = cste",
        " Charge mécanique : T = a.n + b",
        " Charge mécanique : T = a.n²+b",
        " Charge mécanique : P = cste",
        " Charge mécanique : T = cste",
        " Charge mécanique : T = a.n + b",
        " Charge mécanique : T = a.n²+b",
        " Charge mécanique : P = cste",
        " Charge mécanique : T cyclique",
        " Charge mécanique : T collage",
        " Charge mécanique : T collage",
        " Charge mécanique : Levage",
        " Charge mécanique : Levage",
    }},
    // TitreColonne1
    {{
        "",
        "Couple constant",
        "Couple constant",
        "Couple constant",
        "Couple constant",
        "Couple minimum",
        "Couple de collage",
        "Couple de descente",
    }},
    // TitreColonne2
    {{
        "",
        "Couple à ",
        "Couple à ",
        "Couple à ",
        "Couple à ",
        "Couple maximum",
        "  ",
        "Couple de montée",
    }},
    // TitreColonne3
    {{
        "",
        "Puissance à ",
        "Puissance à ",
        "Puissance à ",
        "Puissance constante",
        "Cycle",
        "Vitesse décollage",
        "Masse",
    }},
    // EtatAcquisition
    {{
        "",
        "Configuration",
        "Attente",
        "Acquisition",
    }},
    // ListeApplications: application names, then their animation files, per group
    {{
        {{"", "Pont", "Bande", "Convoyeur"}},
        {{"", "pont.swf", "bande.swf", "convoy.swf"}},
        {{"", "Compresseur", "Pompe", ""}},
        {{"", "compress.swf", "pomp.swf", ""}},
        {{"", "Ventilation", "", ""}},
        {{"", "desenfumage.swf", "", ""}},
        {{"", "Enrouleur", "", ""}},
        {{"", "deroul.swf", "", ""}},
        {{"", "Coupe", "Palettisation", ""}},
        {{"", "coupe.swf", "palet.swf", ""}},
    }},
    // NomLoi
    {{
        "",
        "T = K",
        "n = cste",
        "n = K",
        "T = K.(n-No)",
        "Aide au couplage",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T cyclique",
        "Couple de décollage",
        "Couple de décollage",
        "Levage",
        "Levage",
    }},
    // DescriptionLoi
    {{
        "",
        "Charge à couple indépendant de la vitesse",
        "Charge à couple proportionnel à la vitesse",
        "Fonctionnement à vitesse constante",
        "Charge entrainante à couple dépendant de la vitesse",
        "Aide au couplage de l'alternateur sur le réseau",
        "Charge à couple indépendant de la vitesse",
        "Charge à couple proportionnel à la vitesse plus couple constant",
        "Charge à couple proportionnel au carré de la vitesse plus couple constant",
        "Charge à puissance constante",
        "Charge à couple indépendant de la vitesse",
        "Charge à couple proportionnel à la vitesse plus couple constant",
        "Charge à couple proportionnel au carré de la vitesse plus couple constant",
        "Charge à puissance constante",
        "Couple cyclique",
        "Couple de décollage",
        "Couple de décollage",
        "Charge de levage",
        "Charge de levage",
    }},
    // texts 30 to 178
    {{
        "Reduction",  // 30
        "Pente",  // 31
        "Vitesse linéaire à 1500tr/min",  // 32
        "Rendement",  // 33
        "Inertie",  // 34
        "Nouvelle caractéristique",  // 35
        "Modification d'une caractéristique",  // 36
        "Erreur de lecture du fichier",  // 37
        "Erreur d'ecriture du fichier",  // 38
        "Voulez-vous supprimer la caractéristique :",  // 39
        "Voulez-vous supprimer l'essai ",  // 40
        "Voulez-vous supprimer tous les points de l'essai ",  // 41
        "Erreur de communication",  // 42
        "Fichier modifié. Voulez-vous l'enregistrer?",  // 43
        "Orvane",  // 44
        "Trier les points",  // 45
        "Ordre de tri",  // 46
        "Ordre croissant",  // 47
        "Ordre décroissant",  // 48
        "Sélection",  // 49
        "Sélection du calibre courant",  // 50
        "Calibre 2 A",  // 51
        "Calibre 20 A",  // 52
        "Applications",  // 53
        "Précédente                 <<",  // 54
        "Application précédente",  // 55
        ">>                   Suivante",  // 56
        "Application suivante",  // 57
        "Répéter",  // 58
        "Répéter l'application",  // 59
        "Fermer",  // 60
        "Fermer la fenêtre",  // 61
        "----",  // 62
        "Ordonnée Y",  // 63
        "Abscisse X",  // 64
        "Quadrants de visualisation",  // 65
        "Calibre courant",  // 66
        "Tracé des caractéristiques d'une machine",  // 67
        "Fichier",  // 68
        "Edition",  // 69
        "Configuration",  // 70
        "Ouvrir",  // 71
        "Enregistrer",  // 72
        "Enregistrer sous",  // 73
        "Nouveau travail",  // 74
        "Configuration imprimante",  // 75
        "Imprimer",  // 76
        "Quitter",  // 77
        "Nouvelle caractéristique",  // 78
        "Modification d'une caractéristique",  // 79
        "Suppression d'une caractéristique",  // 80
        "Nouvel essai",  // 81
        "Suppression d'un essai",  // 82
        "Copier les caractéristiques",  // 83
        "Copier les valeurs de tous les essais",  // 84
        "Copier les valeurs de l'essai sélectionné",  // 85
        "Trier les points",  // 86
        "de la courbe selectionnée",  // 87
        "de toutes les courbes",  // 88
        "Interpolation",  // 89
        "Sans interpolation",  // 90
        "Interpolation linéaire",  // 91
        "Interpolation cubique",  // 92
        "Filtrage sur 3 points",  // 93
        "Filtrage sur 5 points",  // 94
        "Filtrage sur 7 points",  // 95
        "Couleur des graphes",  // 96
        "Calibre Courant",  // 97
        "Configuration matérielle",  // 98
        "Aide",  // 99
        "A propos",  // 100
        "Fermeture de la fenêtre",  // 101
        "Suppression du point",  // 102
        "Suppression de tous les points",  // 103
        "Nouvel essai",  // 104
        "Modification de la caractéristique",  // 105
        "Copier la caractéristique",  // 106
        "Copier les valeurs de l'essai sélectionné",  // 107
        "Variation de l'échelle en abscisse",  // 108
        "Variation de l'échelle en ordonnée",  // 109
        "Valeur de la grandeur en abscisse",  // 110
        "Valeur de la grandeur en ordonnée ",  // 111
        "Grandeur en abscisse",  // 112
        "Grandeur en ordonnée",  // 113
        "Commentaire de l'essai",  // 114
        "Courant : I (2A)",  // 115
        "Courant : I (20A)",  // 116
        "Caractéristique",  // 117
        "Modification de la caractéristique",  // 118
        "Oscillo",  // 119
        "Mode oscilloscope",  // 120
        "Manuel",  // 121
        "Acquisition manuelle",  // 122
        "Auto",  // 123
        "Acquisition automatique",  // 124
        "Manuel",  // 125
        "Acquisition manuelle",  // 126
        "Auto",  // 127
        "Acquisition automatique",  // 128
        "Charge",  // 129
        "Sélection du mode de fonctionnement de la charge",  // 130
        "Affich.",  // 131
        "Affichage des grandeurs électriques et mécaniques",  // 132
        "Titre",  // 133
        "Affichage du titre de l'étude",  // 134
        "Acqui.",  // 135
        "Acquisition du point",  // 136
        "Point",  // 137
        "Acquisition du point",  // 138
        "Acqui.",  // 139
        "Début de l'acquisition automatique",  // 140
        "Acqui.",  // 141
        "Début de l'acquisition",  // 142
        "Affichage de la caractéristique",  // 143
        "Essai",  // 144
        "Sélection de l'essai",  // 145
        "Commentaire",  // 146
        "Titre de l'essai",  // 147
        "Fin de l'acquisition",  // 148
        "Réglage de la constante K de 0 à 100%",  // 149
        "Réglage de la durée de l'acquisition automatique",  // 150
        "Valeur de la durée",  // 151
        "Valeur de la constante K",  // 152
        "Sélection de la variable de synchronisation",  // 153
        "Sélection de la durée de l'acquisition",  // 154
        "Affichage de la durée de l'acquisition",  // 155
        "Sans synchronisation",  // 156
        "Synchronisation sur : ",  // 157
        "Durée",  // 158
        "Sélection du port de communication",  // 159
        "Visualisation",  // 160
        "Calibre courant",  // 161
        "Configuration",  // 162
        "Liaison série",  // 163
        "TCPIP",  // 164
        "Sélection du port de communication",  // 165
        "Adresse TCPIP",  // 166
        "La valeur doit être comprise entre 0 et 255",  // 167
        "Erreur de liaison",  // 168
        "Erreur de communication : ",  // 169
        "Langue",  // 170
        "Français",  // 171
        "Anglais",  // 172
        "Espagnol",  // 173
        "Fréquence du réseau",  // 174
        "Avertissement",  // 175
        "Attention",  // 176
        "Utilisation impérative des bornes \"ENTREE FONCTION\"",  // 177
        "Dans l'automatisme de la commande du frein de sécurité.",  // 178
    }},
    {{
        "Banc simulé",  // 179
        "Le banc simulé remplace la charge active et la machine d'étude : aucun matériel n'est nécessaire.",  // 180
        "Liaison perdue : les valeurs affichées sont les dernières lues",  // 181
        "Aucun port série trouvé",  // 182
        "Pas de liaison avec la charge active",  // 183
        "Liaison perdue",  // 184
        "Exporter en PDF",  // 185
        "Exporter les valeurs",  // 186
        "Impression impossible : l'imprimante n'a pas pu démarrer. Vérifiez qu'elle est branchée et choisie dans la configuration de l'imprimante.",  // 187
        "Document PDF (*.pdf)",  // 188
        "Valeurs pour tableur (*.csv)",  // 189
        "Les pages d'aide sont introuvables dans le dossier :",  // 190
        "Sommaire",  // 191
        "Précédent",  // 192
        "Suivant",  // 193
        "Suppression de tous les points de l'essai ",  // 194
        "Suppression de l'essai ",  // 195
        "Cinq essais au plus : supprimez un essai pour en commencer un autre",  // 196
        "Essai plein : l'acquisition s'est arrêtée à 2001 points",  // 197
        "Cette durée dépasse la place d'un essai (2001 points à 20 par seconde) : la capture s'arrêtera vers 100 s. La commencer quand même ?",  // 198
        "Liaison perdue : acquisition arrêtée, les points sont conservés",  // 199
        "(banc simulé)",  // 200
        "Début de l'acquisition avec K croissant",  // 201
        "Début de l'acquisition avec K décroissant",  // 202
        "K croissant",  // 203
        "K décroissant",  // 204
        "Aucune application trouvée : les fichiers CFGAPP*.cfg sont introuvables",  // 205
        "Autres menus",  // 206
        "Échelles",  // 207
        "Banc d'essai des machines électriques à charge active. Version %1 — © les auteurs d'Orvane.",  // 208
        "Premier démarrage",  // 209
        "Bienvenue ! Choisissez la langue, la liaison avec la charge active et la fréquence du réseau. Tout se modifie ensuite avec le bouton Configuration du menu.",  // 210
        "Liaison avec la charge active",  // 211
        "Ajuster aux points",  // 212
        "Droite de charge…",  // 213
        "pas de point de fonctionnement",  // 214
        "stable",  // 215
        "instable",  // 216
        "Mesures de réponse",  // 217
        "Curseurs",  // 218
        "Loi de la charge",  // 219
        "Loi d'un essai de charge de l'étude",  // 220
        "Aucune droite de charge",  // 221
        "Valeur initiale",  // 222
        "Valeur finale",  // 223
        "Début de l'échelon",  // 224
        "Temps de montée (10 à 90 %)",  // 225
        "Constante de temps (63,2 %)",  // 226
        "Dépassement",  // 227
        "Temps d'établissement (±5 %)",  // 228
        "Grandeur",  // 229
        "Écart à la mesure",  // 230
        "Paramètres de la loi",  // 231
        "Compte rendu PDF",  // 232
        "Classeur de tableur (*.xlsx)",  // 233
        "Vues",  // 234
        "Étude",  // 235
        "page %1 / %2",  // 236
        "Aucun essai dans cette étude",  // 237
        "Points de fonctionnement",  // 238
        "Date",  // 239
        "Banc",  // 240
        "Machine",  // 241
        "Charge",  // 242
        "Commentaire",  // 243
        "Vue %1",  // 244
    }},
};

}  // namespace orvane
// clang-format on
