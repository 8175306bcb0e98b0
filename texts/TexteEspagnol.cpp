// Spanish text table. Strings are UTF-8; the odd spellings and spacing are the
// program's own texts and are kept as they are.
// clang-format off
#include "texts/TextesOrvane.h"

namespace orvane {

constinit const TTextesOrvane TexteEspagnol = {
    "CFGAPPSP.cfg",
    "Ficheros",
    "prueba",
    {{
        {"Numero", "N°", "", 4000, 0, 0},
        {"Velocidad de rotació", "n", "tr/min", 1500, 0, 0},
        {"Par ùtil", "Tu", "Nm", 2000, -2, 2},
        {"Potencia mecánica", "Pm", "W", 30000, -1, 1},
        {"Tensión", "U", "V", 5000, -1, 1},
        {"Corriente", "I", "A", 20000, -3, 3},
        {"Potencia eléctrica", "Pe", "W", 30000, -1, 1},
        {"Corriente de excitac", "Ie", "A", 2000, -3, 3},
        {"Rendimiento", "Rd", "", 1000, -3, 3},
        {"Factor de potencia", "Fp", "", 1000, -3, 3},
        {"Perdidas", "Pertes", "W", 30000, -1, 1},
        {"Duración", "t", "s", 6000, -2, 2},
    }},
    // texts 1 to 29
    {{
        "OK",  // 1
        "Anular",  // 2
        " Cerrar",  // 3
        "Cerrar le ventana",  // 4
        "Trazado de las características de una maquina",  // 5
        "Trazar las características eléctricas y mecánicas de la maquina a estudiar ",  // 6
        "Comportamiento en una aplicacion industrial",  // 7
        "Trazar las características estáticas en una carga industrial",  // 8
        "Visualización temporal en una aplicación industrial",  // 9
        "Traza las características dinámicas en una carga industrial",  // 10
        "Abrir un fichero",  // 11
        "Apertura de un fichero registrado",  // 12
        "Nuevo trabajo",  // 13
        "Borra el trabajo que se esta realizado en el momento ",  // 14
        "Configuración de ayuda",  // 15
        "Configuración de la comunicacion con la carga activa",  // 16
        "Cerrar el programa",  // 17
        "Fin del programa",  // 18
        "Características",  // 19
        "Comportamiento",  // 20
        "Temporal",  // 21
        "MAQUINA",  // 22
        "CARGA",  // 23
        "VISUALIZACION",  // 24
        "Visualización de los valores eléctricos y mecánicos",  // 25
        "ESTUDIO",  // 26
        "Trazado de las características",  // 27
        "APLICACIONES",  // 28
        "Visualización de las aplicaciones industriales",  // 29
    }},
    // NomMachine
    {{
        "",
        "DCM Independiente",
        "DCM Series",
        "ASM Trifásico",
        "SM Trifásico",
        "variador DC",
        "variador trifásico",
        "variador monofásico",
    }},
    // TitreMachine
    {{
        "",
        " Maquina DC con excitación independiente",
        " Maquina DC con excitación series",
        " Maquina asíncrona trifásica",
        " Maquina sincrona trifásica",
        " Motovariador alimentado en continua",
        " Motovariador alimentado en trifásico",
        " Motovariador alimentado en monofasico",
    }},
    // TitreCharge
    {{
        "",
        " Carga mecánica : T = K",
        " Carga mecánica : n = cste",
        " Carga mecánica : n = K",
        " Carga mecánica : T = K.(n-No)",
        " Asistencia para acoplar el alternador a la red electrica",
        " Carga mecánica : T = cste",
        " Carga mecánica : T = a.n + b",
        " Carga mecánica : T = a.n²+b",
        " Carga mecánica : P = cste",
        " Carga mecánica : T = cste",
        " Carga mecánica : T = a.n + b",
        " Carga mecánica : T = a.n²+b",
        " Carga mecánica : P = cste",
        " Carga mecánica : T ciclico",
        " Carga mecánica : Par de calado",
        " Carga mecánica : Par de calado",
        " Carga mecánica : Levantamiento",
        " Carga mecánica : Levantamiento",
    }},
    // TitreColonne1
    {{
        "",
        "Par constante",
        "Par constante",
        "Par constante",
        "Par constante",
        "Par minimo",
        "par de calado",
        "par de bajada",
    }},
    // TitreColonne2
    {{
        "",
        "Par a ",
        "Par a ",
        "Par a ",
        "Par a ",
        "Par maxim0",
        "  ",
        "Par de subida",
    }},
    // TitreColonne3
    {{
        "",
        "Potencia a ",
        "Potencia a ",
        "Potencia a ",
        "Potencia constante",
        "Ciclo",
        "Velocidad de arranque",
        "Masa",
    }},
    // EtatAcquisition
    {{
        "",
        "Configuración",
        "Stand by",
        "Adquisición",
    }},
    // ListeApplications: application names, then their animation files, per group
    {{
        {{"", "Puente", "Banda", "banda transportadora"}},
        {{"", "puente.swf", "banda.swf", "transport.swf"}},
        {{"", "Compresor", "Bombeo", ""}},
        {{"", "compres.swf", "bomb.swf", ""}},
        {{"", "Ventilación", "", ""}},
        {{"", "salida de humos.swf", "", ""}},
        {{"", "Enrollado", "", ""}},
        {{"", "desenrol.swf", "", ""}},
        {{"", "Corte", "Paletización", ""}},
        {{"", "corte.swf", "palet.swf", ""}},
    }},
    // NomLoi
    {{
        "",
        "T = K",
        "n = cste",
        "n = K",
        "T = K.(n-No)",
        "Asistancia al acoplamiento",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T cíclico",
        "par de arranque",
        "par de arranque",
        "Levantamiento",
        "Levanatamiento",
    }},
    // DescriptionLoi
    {{
        "",
        "Carga con par independiente de la velocidad",
        "Carga con par proporcional a la velocidad",
        "Functionamiento a velocidad constante",
        "Carga motriz con par dependiente  de la velocidad",
        "Asistancia para acoplar el alternador a la red electrica",
        "Carga con par independiente de la velocidad",
        "Carga con par proporcional a la velocidad y par constante",
        "Carga con par proporcional al cuadrado de la velocidad y par constante",
        "Carga con potencia constante",
        "Carga con par independiente de la velocidad",
        "Carga con par proporcional a la velociadad y par contante",
        "Carga con par proporcional al cuadrado de la velocidad y par constante",
        "Carga con potencia constante",
        "Par cíclico",
        "Par de arranque",
        "Par de arranque",
        "Carga de levantamiento",
        "Carga de levantamiento",
    }},
    // texts 30 to 178
    {{
        "Reducción",  // 30
        "Pendiente",  // 31
        "Velocidad lineal a 1800 rpm",  // 32
        "Rendimiento",  // 33
        "Inercia",  // 34
        "Nueva característica",  // 35
        "Modificación de una característica",  // 36
        "Error  de lectura del fichero",  // 37
        "Error de escritura del fichero",  // 38
        "Quiere suprimir la característica :",  // 39
        "Quiere suprimir la prueba ",  // 40
        "Quiere suprimir todos los puntos de la curva ",  // 41
        "Error de comunicación",  // 42
        "Fichero modificado. Quiere registrarlo?",  // 43
        "Orvane",  // 44
        "Clasificar los puntos",  // 45
        "Orden de clasificación",  // 46
        "Orden creciente",  // 47
        "Orden decreciente",  // 48
        "Selección",  // 49
        "Selección del calibre de la corriente",  // 50
        "Calibre 2 A",  // 51
        "Calibre 20 A",  // 52
        "Aplicaciones",  // 53
        "Precedente                 <<",  // 54
        "Aplicación precedente",  // 55
        ">>                   Siguiente",  // 56
        "Aplicación siguiente",  // 57
        "Repetir",  // 58
        "Repetir la aplicación",  // 59
        "Cerrar",  // 60
        "Cerrar la ventana",  // 61
        "----",  // 62
        "Ordenada Y",  // 63
        "Abscisa X",  // 64
        "Cuadrantes de visualización",  // 65
        "Calibre de la corriente",  // 66
        "Trazado de las características de una maquina",  // 67
        "Fichero",  // 68
        "Edición",  // 69
        "Configuración",  // 70
        "Abrir",  // 71
        "Registrar",  // 72
        "Registrar bajo",  // 73
        "Nuevo trabajo",  // 74
        "Configuración de la impresora",  // 75
        "Imprimir",  // 76
        "Cerrar",  // 77
        "Nueva característica",  // 78
        "Modificación de una característica",  // 79
        "Supresión de una característica",  // 80
        "Nueva prueba",  // 81
        "Supresión de la prueba",  // 82
        "Copiar las características",  // 83
        "Copiar los valores de todas las pruebas",  // 84
        "Copiar los valores de la prueba seleccionada",  // 85
        "Ordenar los puntos",  // 86
        "de la curva seleccionada",  // 87
        "de todas las curvas",  // 88
        "Interpolación",  // 89
        "Sin interpolación",  // 90
        "Interpolación lineal",  // 91
        "Interpolación cùbica",  // 92
        "filtro en 3 puntos",  // 93
        "Filtro en 5 puntos",  // 94
        "Filtro en 7 puntos",  // 95
        "Color de los gráficos",  // 96
        "Calibre de la corriente",  // 97
        "Configuración material",  // 98
        "Ayuda",  // 99
        "A propósito",  // 100
        "Cerrar la ventana",  // 101
        "Supresión de un punto ",  // 102
        "Supresión de todos los puntos",  // 103
        "Nueva prueba",  // 104
        "Modificación de la característica",  // 105
        "Copiar la característica",  // 106
        "Copiar los valores de la prueba seleccionada",  // 107
        "Cambio la escala en la abscisa",  // 108
        "Cambio de la escala en la ordenada",  // 109
        "Valor de la medición en la abscisa",  // 110
        "Valor de la medición en la ordenada ",  // 111
        "Medición en la abscisa",  // 112
        "Medición en la ordenada",  // 113
        "Comentario de la prueba ",  // 114
        "Corriente : I (2A)",  // 115
        "Corriente : I (20A)",  // 116
        "Característica",  // 117
        "Modificación de la característica",  // 118
        "Oscilo",  // 119
        "Modo osciloscopio",  // 120
        "Manual",  // 121
        "Adquisición manual",  // 122
        "Auto",  // 123
        "Adquisición automática",  // 124
        "Manual",  // 125
        "Adquisición manual",  // 126
        "Auto",  // 127
        "Adquisición automática",  // 128
        "Carga",  // 129
        "Selección de un modo de functionamiento de la carga",  // 130
        "Indicador.",  // 131
        "Indicador de los valores eléctricos y mecánicos",  // 132
        "Titulo",  // 133
        "Indicador del titulo de la prueba",  // 134
        "Adqui.",  // 135
        "Adquisición del punto",  // 136
        "Punto",  // 137
        "Adquisición del punto",  // 138
        "Adqui.",  // 139
        "la adquisición automática empieza",  // 140
        "Adqui.",  // 141
        "La adquisición empieza",  // 142
        "Indicador de la característica",  // 143
        "Prueba",  // 144
        "Selección de la prueba",  // 145
        "Comentario",  // 146
        "Titulo de la prueba",  // 147
        "Fin de la adquisición",  // 148
        "Ajuste de la constante K de 0 hasta 100%",  // 149
        "Ajuste de la duración  de la adquisición automat  ica",  // 150
        "Valor de la duración",  // 151
        "Valor de la constante K",  // 152
        "Selección de la variable de sincronisación",  // 153
        "Selección de la duración de la adquisición",  // 154
        "Indicador de la duración de la adquisición",  // 155
        "Sin sincronisación",  // 156
        "Sincronisación en : ",  // 157
        "Duración",  // 158
        "Selección del puerto de comunicación",  // 159
        "Visualización",  // 160
        "Calibre de la corriente",  // 161
        "Configuración",  // 162
        "Comunicación serie",  // 163
        "TCPIP",  // 164
        "Selección del puerto de comunicación",  // 165
        "Dirección TCPIP",  // 166
        "El valor debe situarse entre 0 y 255",  // 167
        "Error de enlace",  // 168
        "Error de comunicación : ",  // 169
        "Idioma",  // 170
        "Francés",  // 171
        "Inglés",  // 172
        "Español",  // 173
        "Frecuencia de electricidad",  // 174
        "Alerta",  // 175
        "Cuidado",  // 176
        "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"",  // 177
        "en el automatismo de control del motor de levantamiento",  // 178
    }},
    {{
        "Banco simulado",  // 179
        "El banco simulado sustituye a la carga activa y a la máquina de estudio: no se necesita ningún equipo.",  // 180
        "Enlace perdido: los valores mostrados son los últimos leídos",  // 181
        "Ningún puerto serie encontrado",  // 182
        "Sin enlace con la carga activa",  // 183
        "Enlace perdido",  // 184
        "Exportar a PDF",  // 185
        "Exportar los valores",  // 186
        "Impresión imposible: no se pudo iniciar la impresora. Compruebe que está conectada y elegida en la configuración de la impresora.",  // 187
        "Documento PDF (*.pdf)",  // 188
        "Valores para hoja de cálculo (*.csv)",  // 189
        "No se encuentran las páginas de ayuda en la carpeta:",  // 190
        "Índice",  // 191
        "Atrás",  // 192
        "Adelante",  // 193
        "Supresión de todos los puntos de la prueba ",  // 194
        "Supresión de la prueba ",  // 195
        "Cinco pruebas como máximo: suprima una prueba para empezar otra",  // 196
        "Prueba llena: la adquisición se detuvo en 2001 puntos",  // 197
        "Esta duración supera la capacidad de una prueba (2001 puntos a 20 por segundo): la captura se detendrá hacia 100 s. ¿Empezarla de todos modos?",  // 198
        "Enlace perdido: adquisición detenida, los puntos se conservan",  // 199
        "(banco simulado)",  // 200
        "Inicio de la adquisición con K creciente",  // 201
        "Inicio de la adquisición con K decreciente",  // 202
        "K creciente",  // 203
        "K decreciente",  // 204
        "Ninguna aplicación encontrada: no se encuentran los archivos CFGAPP*.cfg",  // 205
        "Más menús",  // 206
        "Escalas",  // 207
        "Banco de ensayo de máquinas eléctricas con carga activa. Versión %1 — © los autores de Orvane.",  // 208
        "Primer inicio",  // 209
        "¡Bienvenido! Elija el idioma, el enlace con la carga activa y la frecuencia de la red. Todo se puede cambiar después con el botón Configuración del menú.",  // 210
        "Enlace con la carga activa",  // 211
        "Ajustar a los puntos",  // 212
        "Recta de carga…",  // 213
        "sin punto de funcionamiento",  // 214
        "estable",  // 215
        "inestable",  // 216
        "Medidas de respuesta",  // 217
        "Cursores",  // 218
        "Ley de la carga",  // 219
        "Ley de un ensayo de carga del estudio",  // 220
        "Sin recta de carga",  // 221
        "Valor inicial",  // 222
        "Valor final",  // 223
        "Inicio del escalón",  // 224
        "Tiempo de subida (10 a 90 %)",  // 225
        "Constante de tiempo (63,2 %)",  // 226
        "Sobreimpulso",  // 227
        "Tiempo de establecimiento (±5 %)",  // 228
        "Magnitud",  // 229
        "Distancia a la medida",  // 230
        "Parámetros de la ley",  // 231
        "Informe (PDF)",  // 232
        "Libro de hoja de cálculo (*.xlsx)",  // 233
        "Vistas",  // 234
        "Estudio",  // 235
        "página %1 / %2",  // 236
        "Ningún ensayo en este estudio",  // 237
        "Puntos de funcionamiento",  // 238
        "Fecha",  // 239
        "Banco",  // 240
        "Máquina",  // 241
        "Carga",  // 242
        "Comentario",  // 243
        "Vista %1",  // 244
    }},
};

}  // namespace orvane
// clang-format on
