// English text table. Strings are UTF-8; the odd spellings and spacing are the
// program's own texts and are kept as they are.
// clang-format off
#include "texts/TextesOrvane.h"

namespace orvane {

constinit const TTextesOrvane TexteAnglais = {
    "CFGAPPUK.cfg",
    "Files",
    "Test",
    {{
        {"Number", "N°", "", 4000, 0, 0},
        {"Rotational speed", "n", "tr/min", 1500, 0, 0},
        {"Effective torque", "Tu", "Nm", 2000, -2, 2},
        {"Mechanical power", "Pm", "W", 30000, -1, 1},
        {"Voltage", "U", "V", 5000, -1, 1},
        {"Current", "I", "A", 20000, -3, 3},
        {"Electrical power", "Pe", "W", 30000, -1, 1},
        {"Excitation current", "Ie", "A", 2000, -3, 3},
        {"Efficiency", "Ef", "", 1000, -3, 3},
        {"Power factor", "Pf", "", 1000, -3, 3},
        {"Losses", "Los.", "W", 30000, -1, 1},
        {"Time", "t", "s", 6000, -2, 2},
    }},
    // texts 1 to 29
    {{
        "OK",  // 1
        "Cancel",  // 2
        " Close",  // 3
        "Close windows",  // 4
        "Characteristics layout ",  // 5
        "Trace electrical and mechanical characteristics of the studied machine ",  // 6
        "Behaviour on industrial application",  // 7
        "Trace the static characteristics on an industrial load",  // 8
        "Temporal display on industrial application",  // 9
        "Trace the dynamic characteristics on an industrial load",  // 10
        "Open file",  // 11
        "registered file opened",  // 12
        "New job ",  // 13
        "erase active job",  // 14
        "Aid configuration",  // 15
        " communication with active load configuration",  // 16
        "Quit",  // 17
        "End",  // 18
        "Characteristics",  // 19
        "Static study",  // 20
        "Dynamic study",  // 21
        "MACHINE",  // 22
        "LOAD",  // 23
        "DISPLAY",  // 24
        "Electrical and mechanical data display",  // 25
        "STUDY",  // 26
        "Characteristics tracing",  // 27
        "APPLICATIONS",  // 28
        "Industrial applications display",  // 29
    }},
    // NomMachine
    {{
        "",
        "Independent DCM",
        "Series DCM",
        "Three-phase ASM",
        "Three-phase SM",
        "Dc supplied drive",
        "Three-phase drive",
        "Single-phase drive",
    }},
    // TitreMachine
    {{
        "",
        " DC machine with separate excitation",
        " DC machine with series excitation",
        " Three-phase asynchronous machine",
        " Three-phase synchronous machine",
        " DC supplied drive",
        " Three-phase supplied drive",
        " Single-phase supplied drive",
    }},
    // TitreCharge
    {{
        "",
        "Mechanical load: T = K",
        "Mechanical load: n = cste",
        "Mechanical load: n = K",
        "Mechanical load: T = K.(n-No)",
        "Connecting to the mains",
        "Mechanical load: T = cste",
        "Mechanical load: T = a.n + b",
        "Mechanical load: T = a.n²+b",
        "Mechanical load: P = cst",
        "Mechanical load: T = cst",
        "Mechanical load: T = a.n + b",
        "Mechanical load: T = a.n²+b",
        "Mechanical load: P = cst",
        "Mechanical load: T cyclic",
        "Mechanical load: sticking torque",
        "Mechanical load: sticking torque",
        "Mechanical load: Lifting",
        "Mechanical load: Lifting",
    }},
    // TitreColonne1
    {{
        "",
        "Constant torque",
        "Constant torque",
        "Constant torque",
        "Constant torque",
        "Minimum torque",
        "Sticking torque",
        "Down torque",
    }},
    // TitreColonne2
    {{
        "",
        "Torque at ",
        "Torque at ",
        "Torque at ",
        "Torque at ",
        "Maximum torque",
        "  ",
        "Up torque",  // over the lifting torque, as in French and Spanish
    }},
    // TitreColonne3
    {{
        "",
        "Power ",
        "Power ",
        "Power ",
        "Constant power",
        "Cycle",
        "Kick off speed",
        "Weight",  // over the mass
    }},
    // EtatAcquisition
    {{
        "",
        "Configuration",
        "Standby",
        "Acquisition",
    }},
    // ListeApplications: application names, then their animation files, per group
    {{
        {{"", "Bridge", "Band", "Conveyor"}},
        {{"", "pont.swf", "bande.swf", "convoy.swf"}},
        {{"", "Compressor", "Pump", ""}},
        {{"", "compress.swf", "pomp.swf", ""}},
        {{"", "Ventilation", "", ""}},
        {{"", "desenfumage.swf", "", ""}},
        {{"", "Winding", "", ""}},
        {{"", "deroul.swf", "", ""}},
        {{"", "Cutting", "Palletising", ""}},
        {{"", "coupe.swf", "palet.swf", ""}},
    }},
    // NomLoi
    {{
        "",
        "T = K",
        "n = cste",
        "n = K",
        "T = K.(n-No)",
        "Connecting to the mains",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T = cst",
        "T = a.n + b",
        "T = a.n²+b",
        "P = cst",
        "T cyclic",
        "Sticking torque",
        "Sticking torque",
        "Lifting",
        "Lifting",
    }},
    // DescriptionLoi
    {{
        "",
        "Torque independent from speed",
        "Torque proportional to speed",
        "Constant speed",
        "Torque depending on speed",
        "Coupling alternator to the network",
        "Torque independent from speed",
        "Torque proportional to speed plus constant torque",
        "Torque proportional to speed square plus constant torque",
        "Constant power",
        "Torque independent from speed",
        "Torque proportional to speed plus constant torque",
        "Torque proportional to speed square plus constant torque",
        "Constant power",
        "Cyclic torque",
        "Down torque",
        "Down torque",
        "Lifting load",
        "Lifting load",
    }},
    // texts 30 to 178
    {{
        "Reduction",  // 30
        "Gradient",  // 31
        "Speed",  // 32
        "Efficiency",  // 33
        "Inertia",  // 34
        "New Characteristic",  // 35
        " Data modification ",  // 36
        "File reading error",  // 37
        "file writing error",  // 38
        "Do you want to delete the characteristic:",  // 39
        "Do you want to delete the test ",  // 40
        "Do you want to delete all the test points",  // 41
        "Communication error",  // 42
        "Modified file. Do you want to register?",  // 43
        "Orvane",  // 44
        "Sort the points",  // 45
        "Sorting order",  // 46
        "Ascending order",  // 47
        "Descending order",  // 48
        "Selection",  // 49
        "current range selection",  // 50
        " 2 A range",  // 51
        " 20 A range",  // 52
        "Applications",  // 53
        "Preceding                 <<",  // 54
        " preceding application ",  // 55
        ">>                   Next",  // 56
        " Next application",  // 57
        "Repeat",  // 58
        "Repeat application",  // 59
        "Close",  // 60
        "Close window",  // 61
        "----",  // 62
        " Y ordinate",  // 63
        " X abscissa",  // 64
        "Display quadrants",  // 65
        "Current range",  // 66
        "Machine characteristics tracing",  // 67
        "File",  // 68
        "Edition",  // 69
        "Configuration",  // 70
        "Open",  // 71
        "Register",  // 72
        "Register under ",  // 73
        "New task",  // 74
        "Printer configuration",  // 75
        "Print",  // 76
        "Quit",  // 77
        "New characteristic",  // 78
        "Modification of a characteristic",  // 79
        "Suppression of a characteristic",  // 80
        "New test",  // 81
        "Suppression of a test",  // 82
        "Copy  characteristics",  // 83
        "Copy all the values",  // 84
        "Copy selected test values",  // 85
        "Sort the points",  // 86
        "of selected curve",  // 87
        "of all the curves",  // 88
        "Interpolation",  // 89
        "Without interpolation",  // 90
        "Linear interpolation ",  // 91
        "Cubic interpolation ",  // 92
        "Filter by 3 points",  // 93
        "Filter by 5 points",  // 94
        "Filter by 7 points",  // 95
        "graph colours",  // 96
        "Current range",  // 97
        "Material configuration ",  // 98
        "Help",  // 99
        "About",  // 100
        "Close the window",  // 101
        "Suppression point",  // 102
        "Suppression all point",  // 103
        "New test",  // 104
        "Modification of the characteristic",  // 105
        "Copy  characteristic",  // 106
        "Copy selected test values",  // 107
        "Scale variation in abscisse",  // 108
        "Scale variation in ordinate",  // 109
        "Valeur de la grandeur en abscisse",  // 110
        "Valeur de la grandeur en ordonnée ",  // 111
        "Grandeur en abscisse",  // 112
        "Grandeur en ordonnée",  // 113
        "Commentaire de l'essai",  // 114
        "Current : I (2A)",  // 115
        "Current : I (20A)",  // 116
        "Characteristic",  // 117
        "Modify characteristic",  // 118
        "Oscillo",  // 119
        "oscilloscope mode",  // 120
        "Manual",  // 121
        "Manual acquisition",  // 122
        "Auto",  // 123
        "Automatic acquisition",  // 124
        "Manual",  // 125
        "Manual acquisition",  // 126
        "Auto",  // 127
        "Automatic acquisition",  // 128
        "Load",  // 129
        "Selection of load behaviour mode",  // 130
        "Display.",  // 131
        "Electrical and mechanical data display",  // 132
        "Title",  // 133
        "Study title display",  // 134
        "Acqui.",  // 135
        "Point acquisition",  // 136
        "Point",  // 137
        "Point acquisition",  // 138
        "Acqui.",  // 139
        "Automatic acquisition beginning",  // 140
        "Acqui.",  // 141
        "Acquisition beginning",  // 142
        "Characteristic display",  // 143
        "Test",  // 144
        "Test selection",  // 145
        "Comments",  // 146
        "Test title",  // 147
        "Acquisition end",  // 148
        "Set of K constant from 0 to 100%",  // 149
        "Set of automatic acquisition time",  // 150
        "Time value",  // 151
        "K constant value",  // 152
        "Synchronisation ",  // 153
        "Acquisition time selection",  // 154
        "Acquisition time display",  // 155
        "No synchronization",  // 156
        "Synchronization on: ",  // 157
        "Time",  // 158
        "",  // 159
        "Display",  // 160
        "Current range",  // 161
        "Configuration",  // 162
        "Serial connection",  // 163
        "TCPIP",  // 164
        "Communication port selection",  // 165
        "TCPIP address",  // 166
        "The value must be between 0 and 255",  // 167
        "Connection error",  // 168
        "Communication error : ",  // 169
        "Language",  // 170
        "French",  // 171
        "English",  // 172
        "Spanish",  // 173
        "Mains frequency",  // 174
        "Avertissement",  // 175
        "Warning",  // 176
        "Utilisation impérative des bornes \"ENTREE FONCTION\"",  // 177
        "Dans l'automatisme de la commande du frein de sécurité.",  // 178
    }},
    {{
        "Simulated bench",  // 179
        "The simulated bench stands in for the active load and the machine under study: no hardware is needed.",  // 180
        "Link lost: the values shown are the last ones read",  // 181
        "No serial port found",  // 182
        "No link to the active load",  // 183
        "Link lost",  // 184
        "Export to PDF",  // 185
        "Export the values",  // 186
        "Cannot print: the printer could not be started. Check that it is connected and chosen in the printer set-up.",  // 187
        "PDF document (*.pdf)",  // 188
        "Values for spreadsheets (*.csv)",  // 189
        "The help pages cannot be found in the folder:",  // 190
        "Contents",  // 191
        "Back",  // 192
        "Forward",  // 193
        "Delete all points of test ",  // 194
        "Delete test ",  // 195
        "Five tests at most: delete a test to start another one",  // 196
        "Test full: the acquisition stopped at 2001 points",  // 197
        "This duration exceeds the room of a test (2001 points at 20 a second): the capture will stop at about 100 s. Start it anyway?",  // 198
        "Link lost: acquisition stopped, the points are kept",  // 199
        "(simulated bench)",  // 200
        "Start the acquisition with K rising",  // 201
        "Start the acquisition with K falling",  // 202
        "K rising",  // 203
        "K falling",  // 204
        "No application found: the CFGAPP*.cfg files cannot be found",  // 205
        "More menus",  // 206
        "Scales",  // 207
        "Electrical machine test bench with an active load. Version %1 — © the Orvane authors.",  // 208
        "First start",  // 209
        "Welcome! Choose the language, how the active load is reached and the mains frequency. All of it can be changed later with the menu's Configuration button.",  // 210
        "Link to the active load",  // 211
        "Fit to points",  // 212
        "Load line…",  // 213
        "no operating point",  // 214
        "stable",  // 215
        "unstable",  // 216
        "Step response",  // 217
        "Cursors",  // 218
        "Load law",  // 219
        "Law of a load trial of the study",  // 220
        "No load line",  // 221
        "Initial value",  // 222
        "Final value",  // 223
        "Step start",  // 224
        "Rise time (10 to 90 %)",  // 225
        "Time constant (63.2 %)",  // 226
        "Overshoot",  // 227
        "Settling time (±5 %)",  // 228
        "Quantity",  // 229
        "Distance from the measurement",  // 230
        "Law parameters",  // 231
        "Lab report (PDF)",  // 232
        "Spreadsheet workbook (*.xlsx)",  // 233
        "Views",  // 234
        "Study",  // 235
        "page %1 / %2",  // 236
        "No trial in this study",  // 237
        "Operating points",  // 238
        "Date",  // 239
        "Bench",  // 240
        "Machine",  // 241
        "Load",  // 242
        "Comment",  // 243
        "View %1",  // 244
    }},
};

}  // namespace orvane
// clang-format on
