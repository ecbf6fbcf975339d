// The product catalogue of the demo: a hardware and grocery distributor's
// lines, each item expanded into its sizes, with units, barcodes, the twenty
// price columns, taxes, stock per warehouse, photos and technical sheets.

#include "server/TextHelpers.h"
#include "server/demo/DemoWriter.h"

#include <cmath>

namespace korvel::sandbox::demo {
namespace {

// Taxes: G IVA 16; Z IVA 0; B IVA 16 + IEPS 8 (snacks); C IVA 16 + IEPS 26.5
// (beer); L IVA 16 + IEPS 53 (spirits); E IVA 16 + Tasa2 3 (state ecological
// tax on PET and batteries); R IVA 16 + IEPS 8 + Tasa2 3 (sugared drinks in PET).
struct Item {
    int cat;
    const char* sub;
    const char* desc;
    const char* fab;
    const char* model;
    const char* variants;  // "|" separated; each may end in "*factor" of the first price
    double price;          // price A of the first variant, base unit
    const char* units;     // base unit letter, then "/<factor><letter>" per package; "!" first: sold only by unit 2
    char tax = 'G';
    int currency = 1;
};

const Item kItems[] = {
    // 1 Herramienta manual
    {1, "Martillos", "MARTILLO UÑA CURVA MANGO FIBRA DE VIDRIO", "Truper", "MOF", "16 OZ|20 OZ*1.18|24 OZ*1.36", 189, "P/6C/36X"},
    {1, "Martillos", "MARTILLO DE BOLA MANGO MADERA", "Pretul", "MBP", "8 OZ|12 OZ|16 OZ|24 OZ", 98, "P/6C"},
    {1, "Martillos", "MAZO DE GOMA MANGO MADERA", "Truper", "MAZ", "16 OZ|24 OZ|32 OZ", 115, "P/6C"},
    {1, "Desarmadores", "DESARMADOR PLANO MANGO COMFORT GRIP", "Truper", "DES", "1/8 X 3\"|1/4 X 4\"|5/16 X 6\"|3/8 X 8\"", 42, "P/12C/144X"},
    {1, "Desarmadores", "DESARMADOR DE CRUZ PHILLIPS MANGO COMFORT GRIP", "Truper", "DEC", "#0 X 3\"|#1 X 4\"|#2 X 6\"|#3 X 8\"", 44, "P/12C/144X"},
    {1, "Desarmadores", "JUEGO DE DESARMADORES 6 PIEZAS", "Urrea", "JD", "PRO|INDUSTRIAL*1.6", 289, "J/6C"},
    {1, "Pinzas", "PINZA DE ELECTRICISTA", "Urrea", "PE", "7\"|8\"|9\"", 265, "P/6C"},
    {1, "Pinzas", "PINZA DE CORTE DIAGONAL", "Truper", "PCD", "6\"|7\"|8\"", 159, "P/6C"},
    {1, "Pinzas", "PINZA DE PRESIÓN MORDAZA CURVA", "Surtek", "PPC", "7\"|10\"", 178, "P/6C"},
    {1, "Pinzas", "PINZA DE CHOFER", "Pretul", "PCH", "6\"|8\"|10\"", 85, "P/12C"},
    {1, "Llaves", "LLAVE AJUSTABLE CROMADA", "Truper", "PET", "6\"|8\"|10\"|12\"|15\"", 145, "P/6C"},
    {1, "Llaves", "LLAVE COMBINADA ESTÁNDAR", "Urrea", "LC", "3/8\"|7/16\"|1/2\"|9/16\"|5/8\"|3/4\"", 68, "P/10C"},
    {1, "Llaves", "LLAVE STILLSON", "Truper", "STI", "10\"|14\"|18\"|24\"", 235, "P/4C"},
    {1, "Medición", "FLEXÓMETRO CONTRA IMPACTOS", "Truper", "FH", "3 M|5 M|8 M|10 M", 79, "P/12C/72X"},
    {1, "Medición", "NIVEL DE ALUMINIO 3 BURBUJAS", "Stanley", "NV", "12\"|24\"|48\"", 219, "P/6C"},
    {1, "Medición", "ESCUADRA DE ACERO", "Truper", "ESC", "12\"|24\"", 129, "P/6C"},
    {1, "Corte", "SEGUETA BIMETÁLICA 18 DIENTES", "Truper", "SEG", "12\"", 21, "P/10Q/100C"},
    {1, "Corte", "ARCO PARA SEGUETA TUBULAR", "Pretul", "ASP", "12\"", 95, "P/6C"},
    {1, "Corte", "SERRUCHO DE CARPINTERO", "Truper", "STP", "18\"|20\"|22\"", 165, "P/6C"},
    {1, "Corte", "CÚTER PROFESIONAL CON CARGA", "Truper", "CUT", "9 MM|18 MM|25 MM", 48, "P/12C"},
    {1, "Corte", "TIJERA PARA LÁMINA", "Urrea", "TL", "RECTA|IZQUIERDA|DERECHA", 310, "P/6C"},
    // 2 Herramienta eléctrica
    {2, "Taladros", "TALADRO ROTOMARTILLO 1/2\"", "Truper", "ROTO", "550 W|750 W|1000 W", 899, "P/2C"},
    {2, "Taladros", "TALADRO PERCUTOR 1/2\"", "Bosch", "GSB", "13 RE 650 W|16 RE 750 W", 89, "P/4C", 'G', 2},
    {2, "Taladros", "ROTOMARTILLO SDS PLUS", "DeWalt", "D25", "D25133K|D25263K*1.45", 249, "P", 'G', 2},
    {2, "Taladros", "ATORNILLADOR INALÁMBRICO LITIO", "Makita", "DF", "12 V|18 V*1.5", 129, "P", 'G', 2},
    {2, "Esmeriladoras", "ESMERILADORA ANGULAR", "Truper", "ESMA", "4-1/2\" 700 W|4-1/2\" 900 W|7\" 2200 W*2.4", 789, "P/4C"},
    {2, "Esmeriladoras", "ESMERILADORA ANGULAR 4-1/2\"", "Makita", "GA", "GA4530|GA4540*1.2", 79, "P/5C", 'G', 2},
    {2, "Sierras", "SIERRA CIRCULAR 7-1/4\"", "Truper", "SICI", "1400 W|1800 W", 1599, "P/2C"},
    {2, "Sierras", "CALADORA DE VELOCIDAD VARIABLE", "Black+Decker", "JS", "400 W|520 W", 1149, "P/4C"},
    {2, "Sierras", "SIERRA INGLETADORA 10\"", "DeWalt", "DWS", "DWS713|DWS779*1.7", 389, "P", 'G', 2},
    {2, "Lijadoras", "LIJADORA ORBITAL 1/4 DE HOJA", "Truper", "LIJO", "200 W|240 W", 649, "P/4C"},
    {2, "Accesorios", "DISCO DE CORTE PARA METAL", "Truper", "DICO", "4-1/2\"|7\"|9\"|14\"*4", 18, "P/25Q/200C"},
    {2, "Accesorios", "BROCA PARA CONCRETO PUNTA DE CARBURO", "Truper", "BRO", "1/4\"|5/16\"|3/8\"|1/2\"", 32, "P/10C"},
    {2, "Accesorios", "JUEGO DE BROCAS PARA METAL HSS 13 PIEZAS", "Bosch", "HSS", "ESTÁNDAR|TITANIO*1.5", 19, "J/10C", 'G', 2},
    // 3 Plomería
    {3, "Tubería", "TUBO PVC HIDRÁULICO CED. 40 TRAMO 6 M", "Amanco", "TPH", "1/2\"|3/4\"|1\"|1-1/2\"*2.6|2\"*3.4", 98, "H/10Q"},
    {3, "Conexiones", "CODO PVC HIDRÁULICO 90°", "Amanco", "CP90", "1/2\"|3/4\"|1\"|2\"*3", 6.5, "P/50Q/500C"},
    {3, "Conexiones", "TEE PVC HIDRÁULICA", "Amanco", "TEE", "1/2\"|3/4\"|1\"", 8.9, "P/50Q/500C"},
    {3, "Conexiones", "COPLE PVC HIDRÁULICO", "Amanco", "COP", "1/2\"|3/4\"|1\"", 4.2, "P/50Q/500C"},
    {3, "Conexiones", "CODO DE COBRE 90° A SOLDAR", "Nacobre", "CC90", "1/2\"|3/4\"|1\"", 14.5, "P/25Q/250C"},
    {3, "Tubería", "TUBO DE COBRE TIPO M TRAMO 6.10 M", "Nacobre", "TCM", "1/2\"|3/4\"*1.7|1\"*2.5", 689, "H"},
    {3, "Válvulas", "LLAVE DE PASO DE ESFERA DE LATÓN", "Foset", "LLP", "1/2\"|3/4\"|1\"", 119, "P/12C"},
    {3, "Grifería", "LLAVE MEZCLADORA PARA LAVABO", "Foset", "MEZ", "CROMO|SATINADO|NEGRO MATE", 699, "P/6C"},
    {3, "Grifería", "REGADERA CUADRADA 8\"", "Helvex", "RG", "CROMO|ACERO INOXIDABLE", 529, "P/6C"},
    {3, "Accesorios", "CINTA TEFLÓN 1/2\" X 13 M", "Foset", "CTF", "ESTÁNDAR|ALTA DENSIDAD", 9.5, "P/10Q/200C"},
    {3, "Accesorios", "PEGAMENTO PARA PVC", "Tangit", "PEG", "125 ML|250 ML|500 ML|1 L", 58, "P/24C"},
    {3, "Mangueras", "MANGUERA PARA JARDÍN REFORZADA 1/2\"", "Truper", "MANG", "10 M|15 M|20 M|30 M", 179, "P/6C"},
    {3, "Tinacos", "TINACO TRICAPA", "Rotoplas", "TIN", "450 L|750 L*1.3|1100 L*1.7|2500 L*3.4", 1899, "P"},
    {3, "Accesorios", "FLOTADOR PARA TINACO", "Foset", "FLO", "1/2\"|3/4\"", 139, "P/12C"},
    // 4 Material eléctrico
    {4, "Cable", "CABLE THW-LS CALIBRE", "Condumex", "THW", "14 AWG|12 AWG|10 AWG|8 AWG*2.3", 9.8, "T/100R"},
    {4, "Cable", "CABLE DÚPLEX POT CALIBRE", "Argos", "POT", "18 AWG|16 AWG|14 AWG", 7.2, "T/100R"},
    {4, "Iluminación", "FOCO LED A19 LUZ DE DÍA", "Philips", "LED", "7 W|9 W|12 W|15 W", 39, "P/10C/100X"},
    {4, "Iluminación", "FOCO LED LUZ CÁLIDA", "Tecnolite", "TLED", "6 W|9 W|13 W", 35, "P/10C"},
    {4, "Iluminación", "LÁMPARA DE EMERGENCIA LED RECARGABLE", "Volteck", "LEM", "30 LED|60 LED", 289, "P/6C"},
    {4, "Apagadores", "APAGADOR SENCILLO", "Bticino", "AP", "BLANCO|MARFIL|GRIS", 38, "P/10C/100X"},
    {4, "Contactos", "CONTACTO DÚPLEX POLARIZADO", "Bticino", "CD", "BLANCO|MARFIL|GRIS", 45, "P/10C/100X"},
    {4, "Protección", "PASTILLA TERMOMAGNÉTICA 1 POLO", "Square D", "QO1", "15 A|20 A|30 A|40 A", 159, "P/12C"},
    {4, "Protección", "CENTRO DE CARGA PARA EMPOTRAR", "Square D", "QOD", "2 POLOS|4 POLOS|8 POLOS", 329, "P/6C"},
    {4, "Accesorios", "CINTA DE AISLAR 19 MM X 18 M", "3M", "TEM", "NEGRA|ROJA|VERDE|AZUL", 24, "P/10Q/100C"},
    {4, "Extensiones", "EXTENSIÓN ELÉCTRICA USO RUDO", "Volteck", "EXT", "3 M|5 M|10 M", 119, "P/12C"},
    {4, "Pilas", "PILA ALCALINA", "Duracell", "PIL", "AA 4 PZAS|AAA 4 PZAS|C 2 PZAS|D 2 PZAS|9 V", 62, "P/12C", 'E'},
    // 5 Pinturas
    {5, "Vinílicas", "PINTURA VINÍLICA VINIMEX", "Comex", "VIN", "BLANCO 4 L|BLANCO 19 L*4.2|OSTIÓN 4 L|OSTIÓN 19 L*4.2|MARFIL 19 L*4.2", 489, "P"},
    {5, "Vinílicas", "PINTURA VINÍLICA PRO 1000", "Berel", "BPR", "BLANCO 4 L|BLANCO 19 L*4.1|GRIS PERLA 19 L*4.1", 409, "P"},
    {5, "Esmaltes", "ESMALTE ALQUIDÁLICO 100", "Comex", "100", "NEGRO 1 L|BLANCO 1 L|ROJO 1 L|AZUL 1 L|VERDE 1 L", 189, "P/6C"},
    {5, "Impermeabilizantes", "IMPERMEABILIZANTE ACRÍLICO 5 AÑOS", "Fester", "FAC", "ROJO 19 L|BLANCO 19 L", 1390, "P"},
    {5, "Solventes", "THINNER ESTÁNDAR", "Comex", "THI", "1 L|4 L*3.6|19 L*15", 45, "P/12C"},
    {5, "Accesorios", "BROCHA DE CERDA NATURAL", "Truper", "BRC", "1\"|2\"|3\"|4\"", 22, "P/12C/144X"},
    {5, "Accesorios", "RODILLO DE FELPA CON MANERAL", "Truper", "ROD", "4\"|9\"", 79, "P/12C"},
    {5, "Accesorios", "LIJA DE AGUA", "Fandeli", "LIJ", "GRANO 100|GRANO 220|GRANO 360|GRANO 600", 9, "P/50Q/500C"},
    // 6 Tornillería y fijación
    {6, "Pijas", "PIJA PARA TABLAROCA PUNTA BROCA", "Fiero", "PTR", "6 X 1\"|6 X 1-1/4\"|8 X 2\"", 0.45, "P/100Q/5000C"},
    {6, "Tornillos", "TORNILLO HEXAGONAL GALVANIZADO", "Fanal", "TH", "1/4 X 1\"|5/16 X 1-1/2\"|3/8 X 2\"|1/2 X 3\"", 2.8, "P/50Q/500C"},
    {6, "Taquetes", "TAQUETE DE PLÁSTICO", "Fischer", "TAQ", "1/4\"|5/16\"|3/8\"", 0.6, "P/100Q/1000C"},
    {6, "Clavos", "CLAVO ESTÁNDAR CON CABEZA", "Deacero", "CLA", "1-1/2\"|2\"|2-1/2\"|3\"|4\"", 38, "K/25C"},
    {6, "Anclas", "ANCLA EXPANSIVA", "Hilti", "ANC", "1/4\"|3/8\"|1/2\"", 12.5, "P/50C"},
    {6, "Alambre", "ALAMBRE RECOCIDO CALIBRE 16", "Deacero", "ALR", "ROLLO 1 KG|ROLLO 5 KG*4.6", 45, "P/12C"},
    // 7 Jardinería
    {7, "Herramienta", "PALA CUADRADA MANGO LARGO", "Truper", "PCL", "T-2000|PRO*1.4", 239, "P/6C"},
    {7, "Herramienta", "PALA REDONDA MANGO CORTO", "Truper", "PRM", "T-2000|PRO*1.4", 229, "P/6C"},
    {7, "Herramienta", "RASTRILLO METÁLICO 14 DIENTES", "Truper", "RA", "RECTO|CURVO", 149, "P/6C"},
    {7, "Herramienta", "CARRETILLA 5.5 FT3 LLANTA NEUMÁTICA", "Truper", "CAR", "ESTÁNDAR|REFORZADA*1.3", 1290, "P"},
    {7, "Herramienta", "TIJERA PARA PODAR", "Truper", "TP", "8\"|22\"*1.9", 189, "P/6C"},
    {7, "Herramienta", "MACHETE ESTÁNDAR", "Truper", "MA", "18\"|22\"|24\"", 98, "P/12C"},
    {7, "Riego", "ASPERSOR DE IMPACTO", "Truper", "ASPI", "PLÁSTICO|METÁLICO*1.8", 129, "P/12C"},
    // 8 Construcción
    {8, "Cementos", "CEMENTO GRIS CPC 30R BULTO 50 KG", "Cemex", "CEM", "TOLTECA|MONTERREY", 245, "B/40F"},
    {8, "Cementos", "MORTERO BULTO 50 KG", "Moctezuma", "MOR", "ESTÁNDAR", 198, "B/40F"},
    {8, "Cementos", "CAL HIDRATADA BULTO 25 KG", "Calidra", "CAL", "ESTÁNDAR", 89, "B/50F"},
    {8, "Acero", "VARILLA CORRUGADA 12 M", "Deacero", "VAR", "3/8\"|1/2\"*1.75|5/8\"*2.7", 215, "P/10Q"},
    {8, "Acero", "ALAMBRÓN 1/4\"", "Deacero", "ALB", "ROLLO", 32, "K/50R"},
    {8, "Acero", "MALLA ELECTROSOLDADA 6-6/10-10", "Deacero", "MAL", "HOJA 2.5 X 6 M", 689, "P"},
    // 9 Abarrotes
    {9, "Granos", "ARROZ SÚPER EXTRA", "Verde Valle", "ARR", "500 G|900 G*1.7|1 KG*1.85", 24, "P/20C", 'Z'},
    {9, "Granos", "FRIJOL NEGRO", "Verde Valle", "FRN", "500 G|900 G*1.75", 28, "P/20C", 'Z'},
    {9, "Granos", "FRIJOL PINTO", "La Merced", "FRP", "1 KG|5 KG*4.7", 42, "P/10C", 'Z'},
    {9, "Endulzantes", "AZÚCAR ESTÁNDAR", "Zulka", "AZU", "1 KG|2 KG*1.95", 31, "P/10C", 'Z'},
    {9, "Aceites", "ACEITE VEGETAL COMESTIBLE", "Nutrioli", "ACE", "400 ML|850 ML*1.9|1 L*2.2", 29, "P/12C", 'Z'},
    {9, "Aceites", "ACEITE DE CANOLA", "Capullo", "CAN", "500 ML|1 L*1.8", 45, "P/12C", 'Z'},
    {9, "Harinas", "HARINA DE MAÍZ NIXTAMALIZADO", "Maseca", "MAS", "1 KG|4 KG*3.8|20 KG*17", 21, "P/10C", 'Z'},
    {9, "Harinas", "HARINA DE TRIGO", "Tres Estrellas", "HTR", "1 KG", 24, "P/12C", 'Z'},
    {9, "Enlatados", "ATÚN EN AGUA", "Dolores", "ATU", "140 G|295 G*1.9", 19, "P/24C/96X", 'Z'},
    {9, "Enlatados", "SARDINA EN TOMATE", "Calmex", "SAR", "155 G|425 G*2.1", 22, "P/24C", 'Z'},
    {9, "Enlatados", "CHILES JALAPEÑOS EN ESCABECHE", "La Costeña", "CHJ", "220 G|380 G*1.6|2.8 KG*7.5", 18, "P/24C", 'Z'},
    {9, "Enlatados", "FRIJOLES REFRITOS BAYOS", "La Costeña", "FRR", "430 G|580 G*1.3", 21, "P/24C", 'Z'},
    {9, "Pastas", "SOPA DE PASTA 200 G", "La Moderna", "SOP", "FIDEO|CODITO|ESTRELLA|SPAGHETTI|MUNICIÓN", 8.5, "P/20C", 'Z'},
    {9, "Lácteos", "LECHE ULTRAPASTEURIZADA 1 L", "Lala", "LEC", "ENTERA|DESLACTOSADA*1.12|LIGHT*1.08", 24, "!P/12C", 'Z'},
    {9, "Café", "CAFÉ SOLUBLE CLÁSICO", "Nescafé", "NES", "50 G|120 G*2.2|225 G*3.9", 38, "P/12C", 'Z'},
    {9, "Galletas", "GALLETAS MARÍAS", "Gamesa", "MAR", "170 G|PAQUETE FAMILIAR 850 G*4.2", 16, "P/24C", 'B'},
    {9, "Cereales", "AVENA EN HOJUELAS", "Quaker", "AVE", "400 G|1 KG*2.2", 26, "P/12C", 'Z'},
    {9, "Cereales", "CEREAL DE MAÍZ AZUCARADO", "Kellogg's", "CER", "300 G|500 G*1.55|800 G*2.3", 49, "P/12C", 'B'},
    {9, "Condimentos", "SAL DE MESA YODATADA", "La Fina", "SALF", "1 KG", 14, "P/25C", 'Z'},
    {9, "Condimentos", "MAYONESA CON JUGO DE LIMONES", "McCormick", "MAY", "190 G|390 G*1.8|800 G*3.3", 24, "P/12C", 'Z'},
    {9, "Condimentos", "SALSA PICANTE", "Valentina", "VAL", "370 ML|1 L*2.3", 16, "P/24C", 'Z'},
    // 10 Bebidas
    {10, "Refrescos", "REFRESCO SABOR COLA", "Coca-Cola", "COC", "355 ML LATA|600 ML*1.2|2 L*2.5|3 L*3.3", 13, "P/24C", 'R'},
    {10, "Refrescos", "REFRESCO SABOR NARANJA", "Jarritos", "JAR", "600 ML|1.5 L*1.9", 12, "P/24C", 'R'},
    {10, "Aguas", "AGUA PURIFICADA", "Bonafont", "BON", "600 ML|1 L*1.3|1.5 L*1.6", 9, "P/24C", 'E'},
    {10, "Aguas", "AGUA PURIFICADA GARRAFÓN 20 L", "Epura", "GAR", "RELLENO|CON ENVASE*3.8", 38, "P", 'Z'},
    {10, "Jugos", "NÉCTAR DE FRUTA 1 L", "Jumex", "JUM", "MANGO|DURAZNO|MANZANA|GUAYABA", 22, "P/12C", 'Z'},
    {10, "Cervezas", "CERVEZA CLARA LATA 355 ML", "Grupo Modelo", "CZA", "CORONA|MODELO ESPECIAL|VICTORIA|PACÍFICO", 19, "P/6S/24C", 'C'},
    {10, "Cervezas", "CERVEZA OSCURA BOTELLA 355 ML", "Heineken México", "CZO", "INDIO|BOHEMIA OBSCURA*1.2", 21, "P/6S/24C", 'C'},
    {10, "Energéticas", "BEBIDA ENERGÉTICA LATA 473 ML", "Monster", "MON", "ORIGINAL|ULTRA", 39, "P/24C", 'R'},
    // 11 Botanas y dulces
    {11, "Botanas", "PAPAS FRITAS CON SAL", "Sabritas", "PAP", "45 G|170 G*3.1|240 G*4", 18, "P/20C", 'B'},
    {11, "Botanas", "CACAHUATES JAPONESES", "Mafer", "CAC", "100 G|200 G*1.8|1 KG*7.2", 15, "P/24C", 'B'},
    {11, "Dulces", "CHOCOLATE CON LECHE", "Hershey's", "CHO", "40 G|100 G*2.2", 17, "P/24C/144X", 'B'},
    {11, "Dulces", "MAZAPÁN DE CACAHUATE 28 G", "De la Rosa", "MZP", "ORIGINAL", 5, "P/30Q/480C", 'B'},
    {11, "Dulces", "GOMITAS SURTIDAS", "Ricolino", "GOM", "90 G|1 KG*7.5", 16, "P/12C", 'B'},
    // 12 Limpieza y hogar
    {12, "Detergentes", "DETERGENTE EN POLVO", "Ariel", "ARI", "500 G|1 KG*1.9|5 KG*8.6", 29, "P/12C"},
    {12, "Detergentes", "DETERGENTE EN POLVO MULTIUSOS", "Roma", "ROM", "500 G|1 KG*1.9|5 KG*8.4", 21, "P/20C"},
    {12, "Blanqueadores", "BLANQUEADOR CLORO", "Cloralex", "CLO", "950 ML|2 L*1.9|3.75 L*3.2", 16, "P/12C"},
    {12, "Suavizantes", "SUAVIZANTE DE TELAS", "Suavitel", "SUA", "850 ML|2.8 L*2.9", 32, "P/12C"},
    {12, "Jabones", "JABÓN DE LAVANDERÍA EN BARRA", "Zote", "ZOT", "200 G|400 G*1.8", 12, "P/25C"},
    {12, "Lavatrastes", "LAVATRASTES LÍQUIDO", "Salvo", "SLV", "500 ML|900 ML*1.7", 24, "P/12C"},
    {12, "Papel", "PAPEL HIGIÉNICO HOJA DOBLE", "Pétalo", "PTL", "4 ROLLOS|12 ROLLOS*2.8|20 ROLLOS*4.4", 29, "P/12C"},
    {12, "Accesorios", "ESCOBA DE PLÁSTICO TIPO ABANICO", "Vileda", "ESB", "ESTÁNDAR|INDUSTRIAL*1.5", 59, "P/12C"},
    {12, "Accesorios", "BOLSA PARA BASURA NEGRA", "Aluplast", "BOL", "JUMBO 10 PZAS|MEDIANA 20 PZAS", 35, "P/20C"},
    // 13 Vinos y licores
    {13, "Tequila", "TEQUILA BLANCO 750 ML", "José Cuervo", "TEQ", "ESPECIAL|TRADICIONAL*1.35", 229, "P/12C", 'L'},
    {13, "Brandy", "BRANDY 700 ML", "Presidente", "BRA", "CLÁSICO", 145, "P/12C", 'L'},
    {13, "Ron", "RON 700 ML", "Bacardí", "RON", "BLANCO|AÑEJO*1.25", 189, "P/12C", 'L'},
};

const char* const kCategories[] = {"", "HERRAMIENTA MANUAL", "HERRAMIENTA ELÉCTRICA", "PLOMERÍA", "MATERIAL ELÉCTRICO",
                                   "PINTURAS", "TORNILLERÍA Y FIJACIÓN", "JARDINERÍA", "CONSTRUCCIÓN", "ABARROTES",
                                   "BEBIDAS", "BOTANAS Y DULCES", "LIMPIEZA Y HOGAR", "VINOS Y LICORES"};
const char* const kKeyPrefix[] = {"", "HER", "ELE", "PLO", "ELC", "PIN", "TOR", "JAR", "CON", "ABA", "BEB", "BOT", "LIM", "VIN"};
const char* const kClaveProdServ[] = {"", "27112000", "27112700", "40142000", "39121000", "31211500", "31161500",
                                      "27112000", "30111600", "50221100", "50202300", "50161800", "47131800", "50202200"};

// Supplier number of a product: by maker for the big ones, else by category.
int supplierFor(const QString& fab, int cat)
{
    static const QHash<QString, int> byMaker = {
        {QStringLiteral("Truper"), 1}, {QStringLiteral("Pretul"), 1}, {QStringLiteral("Foset"), 1},
        {QStringLiteral("Volteck"), 1}, {QStringLiteral("Fiero"), 1}, {QStringLiteral("Urrea"), 2},
        {QStringLiteral("Surtek"), 2}, {QStringLiteral("Stanley"), 3}, {QStringLiteral("Black+Decker"), 3},
        {QStringLiteral("DeWalt"), 3}, {QStringLiteral("Bosch"), 4}, {QStringLiteral("Makita"), 5},
        {QStringLiteral("Rotoplas"), 6}, {QStringLiteral("Amanco"), 6}, {QStringLiteral("Nacobre"), 6},
        {QStringLiteral("Condumex"), 7}, {QStringLiteral("Comex"), 8}, {QStringLiteral("Berel"), 8},
        {QStringLiteral("Cemex"), 9}, {QStringLiteral("Moctezuma"), 9}, {QStringLiteral("Deacero"), 9},
        {QStringLiteral("Grupo Modelo"), 12}, {QStringLiteral("Heineken México"), 12},
        {QStringLiteral("José Cuervo"), 12}, {QStringLiteral("Coca-Cola"), 11},
    };
    if (const auto it = byMaker.constFind(fab); it != byMaker.constEnd())
        return it.value();
    switch (cat) {
    case 9: case 11: return 10;
    case 10: return 11;
    case 12: return 13;
    case 13: return 12;
    case 4: return 7;
    case 5: return 8;
    default: return 2;
    }
}

struct UnitDef {
    QChar letter;
    int nu;
    const char* nombre;
    const char* plural;
    const char* clave;
};
const UnitDef kUnits[] = {
    {u'P', 1, "Pieza", "PZAS", "H87"},  {u'C', 2, "Caja", "CAJAS", "XBX"},   {u'X', 3, "Caja Master", "CAJAS", "XBX"},
    {u'Q', 4, "Paquete", "PAQ", "XPK"}, {u'T', 5, "Metro", "M", "MTR"},     {u'R', 6, "Rollo", "ROLLOS", "XRO"},
    {u'K', 7, "Kilo", "KG", "KGM"},     {u'B', 8, "Bulto", "BULTOS", "XSA"}, {u'S', 9, "Six", "SIX", "XPK"},
    {u'J', 10, "Juego", "JUEGOS", "SET"}, {u'H', 11, "Tramo", "TRAMOS", "H87"}, {u'F', 12, "Tarima", "BULTOS", "XPX"},
};

const UnitDef& unitByLetter(QChar c)
{
    for (const UnitDef& u : kUnits)
        if (u.letter == c)
            return u;
    return kUnits[0];
}

// EAN-13 with its check digit from 12 digits.
QString ean13(const QString& twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - u'0') * (i % 2 ? 3 : 1);
    return twelve + QChar(u'0' + (10 - sum % 10) % 10);
}

QString modelSuffix(const QString& variant)
{
    QString s;
    for (const QChar c : normalizeSearchText(variant))
        if (c.isLetterOrNumber() && c.unicode() < 128)
            s.append(c);
    return s.left(6);
}

QString detailFor(int cat, const QString& fab, int currency)
{
    const bool truperLine = fab == u"Truper" || fab == u"Pretul" || fab == u"Foset" || fab == u"Volteck" || fab == u"Fiero";
    switch (cat) {
    case 1: case 7: return truperLine ? QStringLiteral("Garantía de por vida") : QStringLiteral("Garantía 1 año");
    case 2: return currency == 2 ? QStringLiteral("Importado, garantía 3 años") : QStringLiteral("Garantía 1 año");
    case 3: return QStringLiteral("Cumple NMX");
    case 4: return QStringLiteral("Certificación NOM-ANCE");
    case 5: return QStringLiteral("Interior/exterior");
    case 6: return QStringLiteral("Acabado galvanizado");
    case 8: return QStringLiteral("Entrega en obra");
    case 9: case 11: return QStringLiteral("Caducidad mínima 6 meses");
    case 10: return QStringLiteral("Consérvese en lugar fresco");
    case 12: return QStringLiteral("Uso doméstico");
    case 13: return QStringLiteral("Venta solo a mayores de edad");
    default: return {};
    }
}

} // namespace

void writeCatalogue(DemoContext& ctx)
{
    Random& rnd = ctx.rnd;
    Inserter categorias(ctx.store, QStringLiteral("categorias"), {"NuCategoria", "Descripcion"});
    for (int i = 1; i < int(std::size(kCategories)); ++i)
        categorias.insert({i, QString::fromUtf8(kCategories[i])});

    Inserter unidades(ctx.store, QStringLiteral("unidades"), {"NuUnidadMedida", "Nombre", "ClaveUnidad"});
    for (const UnitDef& u : kUnits)
        unidades.insert({u.nu, QString::fromUtf8(u.nombre), QString::fromLatin1(u.clave)});

    Inserter proveedores(ctx.store, QStringLiteral("proveedores"), {"NuProveedor", "Nombre", "RFC", "NuMoneda", "DiasCredito"});
    const char* const suppliers[][4] = {
        {"Truper, S.A. de C.V.", "TRU860101AB1", "1", "30"},
        {"Urrea Herramientas Profesionales, S.A. de C.V.", "UHP791011JK2", "1", "45"},
        {"Stanley Black & Decker de México, S. de R.L. de C.V.", "SBD020304QW3", "2", "60"},
        {"Robert Bosch México, S.A. de C.V.", "RBM950807ER4", "2", "60"},
        {"Makita México, S.A. de C.V.", "MME990512TY5", "2", "45"},
        {"Hidráulica y Conexiones del Centro, S.A. de C.V.", "HCC030617UI6", "1", "30"},
        {"Conductores Eléctricos del Bajío, S.A. de C.V.", "CEB100822OP7", "1", "30"},
        {"Pinturas y Recubrimientos de León, S.A. de C.V.", "PRL080115AS8", "1", "30"},
        {"Materiales Industriales de Guanajuato, S.A. de C.V.", "MIG970930DF9", "1", "15"},
        {"Abastecedora de Abarrotes del Centro, S.A. de C.V.", "AAC120403GH1", "1", "21"},
        {"Bebidas y Refrescos del Bajío, S.A. de C.V.", "BRB060728JK2", "1", "15"},
        {"Distribuidora de Vinos y Cervezas Finas, S.A. de C.V.", "DVC091119LZ3", "1", "30"},
        {"Comercializadora de Productos de Limpieza, S.A. de C.V.", "CPL150206XC4", "1", "30"},
    };
    for (int i = 0; i < int(std::size(suppliers)); ++i)
        proveedores.insert({i + 1, QString::fromUtf8(suppliers[i][0]), QString::fromLatin1(suppliers[i][1]),
                            QString::fromLatin1(suppliers[i][2]).toInt(), QString::fromLatin1(suppliers[i][3]).toInt()});

    Inserter subcategorias(ctx.store, QStringLiteral("subcategorias"), {"NuSubCategoria", "NuCategoria", "Descripcion"});
    QHash<QString, int> subIndex;

    QStringList cols = {"ID", "IDRem", "ClaveProdServ", "Descripcion", "Fabricante", "Modelo", "Modelo2", "Modelo3",
                        "Modelo4", "Modelo5", "Detalle", "NuEstado", "OP_UNIDADDEVENTA", "NuCategoria", "NuSubCategoria",
                        "NuUnidadMedida", "NuUnidadMedida2", "NuUnidadMedida3", "NuUnidadMedida4", "NuUnidadMedida5",
                        "Unidad", "Unidad2", "Unidad3", "Unidad4", "Unidad5", "UXC2", "UXC3", "UXC4", "UXC5",
                        "Barcode1", "Barcode2", "Barcode3", "Barcode4", "Barcode5", "NuMoneda"};
    for (int i = 1; i <= 20; ++i)
        cols.append(QStringLiteral("Precio%1").arg(i, 2, 10, QLatin1Char('0')));
    cols << "Costo" << "TasaIVA" << "TasaIEPS" << "Tasa2" << "Descuento_Adicional" << "Descuento_AdicionalTP"
         << "Promocion" << "OP_PROMO_SINLIMITE" << "OP_PROMO_MIN_STOCK" << "FIN_PROMOCION" << "NUPRECIO_PROMO"
         << "FechaAlta" << "BuscaDescripcion" << "BuscaModelo";
    Inserter productos(ctx.store, QStringLiteral("productos"), cols);
    Inserter fotos(ctx.store, QStringLiteral("producto_fotos"), {"ID", "Foto", "Ficha"});
    Inserter existencias(ctx.store, QStringLiteral("existencias"),
                         {"NuAlmacen", "ID", "Existencia", "Minimo", "Maximo", "Ubicacion"});

    QList<int> warehouses;
    for (const DemoCompany& c : ctx.companies)
        warehouses += c.almacenes;

    int sequence = 0;
    int numericKey = 10105;
    QHash<QString, int> makerCode;
    for (const Item& item : kItems) {
        const QString fab = QString::fromUtf8(item.fab);
        const QString subName = QString::fromUtf8(item.sub);
        const QString subKey = QString::number(item.cat) + u'/' + subName;
        if (!subIndex.contains(subKey)) {
            const int nu = int(subIndex.size()) + 1;
            subIndex.insert(subKey, nu);
            subcategorias.insert({nu, item.cat, subName});
        }
        if (!makerCode.contains(fab))
            makerCode.insert(fab, 1200 + int(makerCode.size()) * 37);
        const bool numericIds = fab == u"Truper" || fab == u"Pretul" || fab == u"Foset" || fab == u"Volteck" || fab == u"Fiero";

        // Units: "!P/12C/48X"
        QString units = QString::fromLatin1(item.units);
        const bool onlyPackage = units.startsWith(u'!');
        if (onlyPackage)
            units.remove(0, 1);
        const QStringList parts = units.split(u'/');

        const QStringList variants = QString::fromUtf8(item.variants).split(u'|');
        for (int v = 0; v < variants.size(); ++v) {
            QString variant = variants[v];
            double factor = 1 + 0.3 * v;
            if (const qsizetype star = variant.indexOf(u'*'); star >= 0) {
                factor = variant.mid(star + 1).toDouble();
                variant = variant.left(star);
            }
            ++sequence;
            DemoProduct p;
            p.id = numericIds ? QString::number(numericKey += rnd.range(3, 29))
                              : QStringLiteral("%1-%2").arg(QLatin1String(kKeyPrefix[item.cat])).arg(sequence, 4, 10, QLatin1Char('0'));
            p.descripcion = QString::fromUtf8(item.desc) + u' ' + variant;
            p.nuCategoria = item.cat;
            p.nuMoneda = item.currency;
            p.opUnidadVenta = onlyPackage ? 2 : 0;
            p.nuProveedor = supplierFor(fab, item.cat);
            p.claveProdServ = QString::fromLatin1(kClaveProdServ[item.cat]);
            switch (item.tax) {
            case 'Z': p.iva = 0; break;
            case 'B': p.ieps = 8; break;
            case 'C': p.ieps = 26.5; break;
            case 'L': p.ieps = 53; break;
            case 'E': p.tasa2 = 3; break;
            case 'R': p.ieps = 8; p.tasa2 = 3; break;
            default: break;
            }
            QString modelo[5];
            QString barcode[5];
            modelo[0] = QString::fromLatin1(item.model) + u'-' + modelSuffix(variant);
            const UnitDef& base = unitByLetter(parts[0].at(0));
            p.unidad[0] = QString::fromUtf8(base.nombre);
            p.nuUnidad[0] = base.nu;
            p.clave[0] = QString::fromLatin1(base.clave);
            const QString twelve = QStringLiteral("750%1%2").arg(makerCode.value(fab), 4, 10, QLatin1Char('0')).arg(sequence, 5, 10, QLatin1Char('0'));
            barcode[0] = ean13(twelve);
            for (int k = 1; k < parts.size() && k < 5; ++k) {
                const QString& part = parts[k];
                const UnitDef& u = unitByLetter(part.back());
                p.uxc[k] = part.chopped(1).toDouble();
                p.unidad[k] = QString::fromUtf8(u.nombre);
                p.nuUnidad[k] = u.nu;
                p.clave[k] = QString::fromLatin1(u.clave);
                modelo[k] = QStringLiteral("%1 %2").arg(p.uxc[k]).arg(QString::fromLatin1(base.plural));
                barcode[k] = ean13(QStringLiteral("7%1%2%3").arg(60 + k).arg(makerCode.value(fab), 4, 10, QLatin1Char('0')).arg(sequence, 5, 10, QLatin1Char('0')));
            }

            // State: most are current; a few discontinued, blocked or new.
            const double s = rnd.real(0, 1);
            p.nuEstado = s < 0.86 ? 0 : s < 0.91 ? 1 : s < 0.95 ? 2 : 3;
            const double priceA = round2(item.price * factor * rnd.real(0.97, 1.03));
            for (int l = 0; l < 20; ++l)
                p.precio[l] = round2(priceA * (1 - 0.017 * l));
            if (p.nuEstado == 3) {
                // Not fully priced yet: only the first letters and "J".
                for (int l = 5; l < 20; ++l)
                    p.precio[l] = l == 9 ? round2(priceA * 0.84) : 0;
            }
            p.costo = round2(priceA * rnd.real(0.55, 0.64));
            p.popularity = p.nuEstado >= 2 ? 0 : rnd.real(0.2, 3.0) * (p.nuEstado == 1 ? 0.3 : 1);

            QString buscaModelo;
            for (int k = 0; k < 5; ++k)
                if (!modelo[k].isEmpty())
                    buscaModelo += normalizeSearchText(modelo[k]) + u'|';
            const bool promo = p.nuEstado == 0 && rnd.chance(0.06);
            QVariantList values = {p.id,
                                   p.nuEstado == 1 && sequence > 1 ? ctx.products.back().id : QString(),
                                   p.claveProdServ, p.descripcion, fab, modelo[0], modelo[1], modelo[2], modelo[3],
                                   modelo[4], detailFor(item.cat, fab, item.currency), p.nuEstado, p.opUnidadVenta,
                                   item.cat, subIndex.value(subKey)};
            for (int k = 0; k < 5; ++k)
                values.append(p.nuUnidad[k]);
            for (int k = 0; k < 5; ++k)
                values.append(p.unidad[k]);
            for (int k = 1; k < 5; ++k)
                values.append(p.uxc[k]);
            for (int k = 0; k < 5; ++k)
                values.append(barcode[k]);
            values.append(p.nuMoneda);
            for (double price : p.precio)
                values.append(price);
            const QDate alta = ctx.today.addDays(p.nuEstado == 3 ? -rnd.range(1, 20) : -rnd.range(120, 2400));
            values << p.costo << p.iva << p.ieps << p.tasa2 << (promo ? 5.0 : 0.0)
                   << (promo ? QStringLiteral("%") : QString()) << (promo ? round2(priceA * 0.9) : 0.0)
                   << QStringLiteral("F") << (promo ? 10.0 : 0.0)
                   << (promo ? storeDateTime(QDateTime(ctx.today.addDays(rnd.range(5, 30)), QTime(23, 59, 59))) : QString())
                   << (promo ? QStringLiteral("A") : QString()) << storeDate(alta)
                   << normalizeSearchText(p.descripcion) << buscaModelo;
            productos.insert(values);

            // Photos for most products, a technical sheet for about two thirds.
            const bool hasPhoto = rnd.chance(0.86);
            const bool hasSheet = rnd.chance(0.66);
            if (hasPhoto || hasSheet)
                fotos.insert({p.id, hasPhoto ? QVariant(productPhoto(p, v)) : QVariant(QMetaType(QMetaType::QByteArray)),
                              hasSheet ? productSheet(p, fab, modelo[0], detailFor(item.cat, fab, item.currency)) : QString()});

            for (const int w : warehouses) {
                double qty = 0;
                switch (p.nuEstado) {
                case 0: qty = rnd.chance(0.08) ? 0 : rnd.range(3, 420); break;
                case 1: qty = rnd.range(0, 12); break;
                case 2: qty = rnd.range(0, 40); break;
                default: qty = rnd.chance(0.5) ? 0 : rnd.range(1, 30); break;
                }
                existencias.insert({w, p.id, qty, 10, 500,
                                    QStringLiteral("P%1-R%2").arg(item.cat, 2, 10, QLatin1Char('0')).arg(rnd.range(1, 12))});
            }
            ctx.productIndex.insert(p.id, int(ctx.products.size()));
            ctx.products.push_back(p);
        }
    }
}

} // namespace korvel::sandbox::demo
