// The sandbox store: one SQLite file shared by every group of operations.
//
// Conventions
//   - Column names follow the service records (`TProducto.Precio01` is
//     productos.Precio01, `TPedido.NuPaso` is carros.NuPaso, ...).
//   - Dates are TEXT "yyyy-MM-dd", date-times TEXT "yyyy-MM-ddTHH:mm:ss" (local
//     time of the back office, no zone), booleans INTEGER 0/1, the company
//     switches of `TEmpresa` that travel as "T"/"F" are TEXT "T"/"F".
//   - Money is REAL; currencies are 1 pesos (MXN), 2 dollars (USD).
//   - Every business row carries NuEmpresa: the company index of the login
//     name ("N@user" is company N, a plain "user" company 0). A "branch" of
//     the statistics and of the purchase history (GM_ListaSucursales, the DB
//     of TInfo1..4, the Sucursal of GM_HistorialComprasXSuc, the "N@" of
//     GM_EstatusEmpresa) is also a company of `empresas`, by its index; its
//     warehouses are the NuAlmacen of those records.
//   - Columns named Busca* hold the text of a searchable column in upper case
//     without accents (normalizeSearchText of server/SearchText.h); searches
//     compare against them so "perez" finds "Pérez".
//
// Tables
//   empresas            one per company hosted (index NuEmpresa = the N of "N@user"): every TEmpresa field, CFDI issuer data, web switches
//   almacenes           warehouses of a company (NuAlmacen is unique across companies)
//   usuarios            users of a company: login, password, Modulos grant string, warehouse, Precio1..4 letters, NivelPrecios, OP_KORVELMOVIL
//   folios              last folio issued per company and document kind (FACTURA, TICKET, REMISION, RECIBO, INTERNO) with its series
//   categorias          product categories (global catalogue)
//   subcategorias       product subcategories of a category
//   unidades            units of measure with their SAT unit key (ClaveUnidad)
//   proveedores         suppliers of the purchases
//   productos           the group's product catalogue: keys, texts, state, 5 units with factors and EAN-13 barcodes, 20 price columns, cost, taxes, currency
//   producto_fotos      product photo (JPEG bytes) and technical sheet (RTF text), when the product has them
//   existencias         stock of a product in a warehouse, in base units
//   clientes            clients of a company: TCliente fields, credit limit, payment type, credit days, price letter, coordinates, seller
//   carros              orders (TPedido): header, client snapshot (Cte*), step NuPaso 0-9, sale folio, CFDI use/method/form, REQ_AUTH mark
//   carros_mov          order lines (TDetalle); NuCarro_Mov is the line key used by the price authorizations
//   autorizaciones_precio  price authorization requests of order lines: R pending, A approved, D denied back to capture, d denied
//   timbres             fiscal stamps (CFDI) of invoices and payment receipts: UUID, seals, chains, QR texts
//   ventas              sales (processed orders and counter sales): FolioVenta, kind, series/folio, totals, CFDI data, delivery status
//   ventas_mov          lines (concepts) of a sale, with taxes and delivered quantity
//   entregas            delivery registrations of a sale: outcome, notes, signature JPEG, position, driver
//   entregas_post       JSON bodies received on the company delivery endpoint (URL_Post)
//   cliente_movs        client account documents (TCobranza): sales on account and opening balances, with due date, currency and outstanding balance
//   notas_credito       credit notes to clients (returns and manual adjustments), applied to a document
//   abonos              payments received (receipts): folio, internal folio, currency, exchange rate, payment form, operation number
//   abonos_mov          allocation of a payment to documents: amounts, instalment number, balance before and after
//   compras             purchases from suppliers per warehouse: folio, date, currency, exchange rate, terms, totals, balance still owed
//   compras_mov         purchase lines: product, unit, quantity, cost with and without taxes
//   listas_inv          inventory count lists: folio, description, warehouse, open for changes or closed
//   listas_inv_mov      counted lines of a list: product, quantity, unit and factor; Eliminado marks a deleted line
//
// Views
//   saldos_clientes     per client: open balance in pesos and in dollars, overdue balance and count of overdue documents (as of today)

#include "server/Schema.h"
#include "server/Store.h"

#include <QStringList>

namespace korvel::sandbox {
namespace {

const char* const kStatements[] = {
    // --- companies, warehouses, users -------------------------------------
    "CREATE TABLE IF NOT EXISTS empresas ("
    " NuEmpresa INTEGER PRIMARY KEY,"          // index of the company (0 = first)
    " Suc INTEGER NOT NULL,"                   // branch/company number shown in TDBS
    " Ruta TEXT NOT NULL DEFAULT '',"
    " Nombre TEXT NOT NULL, Comercial TEXT NOT NULL DEFAULT '', RFC TEXT NOT NULL DEFAULT '',"
    " Domicilio TEXT NOT NULL DEFAULT '', Telefono TEXT NOT NULL DEFAULT '', Correo TEXT NOT NULL DEFAULT '',"
    " Printer1 TEXT NOT NULL DEFAULT '', Printer2 TEXT NOT NULL DEFAULT '', Printer3 TEXT NOT NULL DEFAULT '',"
    " Printer4 TEXT NOT NULL DEFAULT '', Printer5 TEXT NOT NULL DEFAULT '',"
    " ProTitulo1 TEXT NOT NULL DEFAULT 'Fabricante', ProTitulo2 TEXT NOT NULL DEFAULT 'Modelo',"
    " ProTitulo3 TEXT NOT NULL DEFAULT 'Detalles',"
    " IVAIncluido INTEGER NOT NULL DEFAULT 0, OP_IEPS_SOBRE_IVA INTEGER NOT NULL DEFAULT 0,"
    " TC_VentaCredito REAL NOT NULL DEFAULT 0, TC_CobranzaCredito REAL NOT NULL DEFAULT 0,"
    " OP_AUTHPEDIDOPRECIO TEXT NOT NULL DEFAULT 'F', OP_MOSTRARPIEZAS TEXT NOT NULL DEFAULT 'F',"
    " OP_AUTOGEN_PRECIOPACTO TEXT NOT NULL DEFAULT 'F', FOLIOTRUPERLINEA INTEGER NOT NULL DEFAULT 0,"
    " TASA2_INC_BASEIVA INTEGER NOT NULL DEFAULT 0,"
    " PublicaFotosWeb INTEGER NOT NULL DEFAULT 1,"     // 1: URL_PHOTO = base address + "/fotos/"; 0: empty (photos by ObtenerFotoProducto)
    " PublicaEntregasWeb INTEGER NOT NULL DEFAULT 1,"  // 1: URL_Post = base address + "/entregas/registro"; 0: empty (no post)
    " RegimenFiscal TEXT NOT NULL DEFAULT '601', LugarExpedicion TEXT NOT NULL DEFAULT '',"  // CFDI issuer data
    " NuCertificado TEXT NOT NULL DEFAULT '',"
    " DiasGraciaCredito INTEGER NOT NULL DEFAULT 0)",  // days a document may be overdue before credit is refused

    "CREATE TABLE IF NOT EXISTS almacenes ("
    " NuAlmacen INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " Nombre TEXT NOT NULL, Domicilio TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS usuarios ("
    " NuUser INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " Login TEXT NOT NULL COLLATE NOCASE,"     // the user name typed at login
    " Pass TEXT NOT NULL,"
    " Nombre TEXT NOT NULL,"                   // full name (Vendedor of the authorizations, tickets)
    " NuAlmacen INTEGER NOT NULL REFERENCES almacenes(NuAlmacen),"
    " Modulos TEXT NOT NULL DEFAULT '',"       // one "T" per granted module position
    " Precio1 TEXT NOT NULL DEFAULT 'A', Precio2 TEXT NOT NULL DEFAULT 'B',"
    " Precio3 TEXT NOT NULL DEFAULT 'C', Precio4 TEXT NOT NULL DEFAULT 'D',"
    " NivelPrecios TEXT NOT NULL DEFAULT '',"  // letters the user may choose by hand
    " OP_KORVELMOVIL TEXT NOT NULL DEFAULT 'T',"  // "T": may use the mobile client (login Field)
    " EsChofer INTEGER NOT NULL DEFAULT 0,"    // drives deliveries (ventas.NuChofer)
    " Activo INTEGER NOT NULL DEFAULT 1,"
    " UNIQUE (NuEmpresa, Login))",

    "CREATE TABLE IF NOT EXISTS folios ("
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " Documento TEXT NOT NULL,"                // FACTURA, TICKET, REMISION, RECIBO, INTERNO
    " Serie TEXT NOT NULL DEFAULT '',"
    " Ultimo INTEGER NOT NULL DEFAULT 0,"      // last folio issued; the next is Ultimo + 1
    " PRIMARY KEY (NuEmpresa, Documento))",

    // --- catalogue ---------------------------------------------------------
    "CREATE TABLE IF NOT EXISTS categorias ("
    " NuCategoria INTEGER PRIMARY KEY, Descripcion TEXT NOT NULL)",

    "CREATE TABLE IF NOT EXISTS subcategorias ("
    " NuSubCategoria INTEGER PRIMARY KEY,"
    " NuCategoria INTEGER NOT NULL REFERENCES categorias(NuCategoria),"
    " Descripcion TEXT NOT NULL)",

    "CREATE TABLE IF NOT EXISTS unidades ("
    " NuUnidadMedida INTEGER PRIMARY KEY, Nombre TEXT NOT NULL,"
    " ClaveUnidad TEXT NOT NULL DEFAULT 'H87')",  // SAT unit key of the CFDI concepts

    "CREATE TABLE IF NOT EXISTS proveedores ("
    " NuProveedor INTEGER PRIMARY KEY, Nombre TEXT NOT NULL, RFC TEXT NOT NULL DEFAULT '',"
    " NuMoneda INTEGER NOT NULL DEFAULT 1, DiasCredito INTEGER NOT NULL DEFAULT 0)",

    "CREATE TABLE IF NOT EXISTS productos ("
    " ID TEXT PRIMARY KEY COLLATE NOCASE,"     // product key (N123 of the operations)
    " IDRem TEXT NOT NULL DEFAULT '',"         // replacement key
    " ClaveProdServ TEXT NOT NULL DEFAULT '',"  // SAT product key
    " Descripcion TEXT NOT NULL, Fabricante TEXT NOT NULL DEFAULT '',"
    " Modelo TEXT NOT NULL DEFAULT '', Modelo2 TEXT NOT NULL DEFAULT '', Modelo3 TEXT NOT NULL DEFAULT '',"
    " Modelo4 TEXT NOT NULL DEFAULT '', Modelo5 TEXT NOT NULL DEFAULT '',"
    " Detalle TEXT NOT NULL DEFAULT '',"
    " NuEstado INTEGER NOT NULL DEFAULT 0,"    // 0 Vigente, 1 Descontinuado, 2 Bloqueado, 3 Nuevo
    " OP_UNIDADDEVENTA INTEGER NOT NULL DEFAULT 0,"  // 0 any unit, k only unit k
    " NuCategoria INTEGER NOT NULL REFERENCES categorias(NuCategoria),"
    " NuSubCategoria INTEGER NOT NULL DEFAULT 0,"
    // unit 1 is the base unit (factor 1); units 2..5 have UXC base units each.
    // A unit not offered has an empty name, unit number 0, factor 1 and no barcode.
    " NuUnidadMedida INTEGER NOT NULL DEFAULT 0, NuUnidadMedida2 INTEGER NOT NULL DEFAULT 0,"
    " NuUnidadMedida3 INTEGER NOT NULL DEFAULT 0, NuUnidadMedida4 INTEGER NOT NULL DEFAULT 0,"
    " NuUnidadMedida5 INTEGER NOT NULL DEFAULT 0,"
    " Unidad TEXT NOT NULL DEFAULT '', Unidad2 TEXT NOT NULL DEFAULT '', Unidad3 TEXT NOT NULL DEFAULT '',"
    " Unidad4 TEXT NOT NULL DEFAULT '', Unidad5 TEXT NOT NULL DEFAULT '',"
    " UXC2 REAL NOT NULL DEFAULT 1, UXC3 REAL NOT NULL DEFAULT 1, UXC4 REAL NOT NULL DEFAULT 1,"
    " UXC5 REAL NOT NULL DEFAULT 1,"
    " Barcode1 TEXT NOT NULL DEFAULT '', Barcode2 TEXT NOT NULL DEFAULT '', Barcode3 TEXT NOT NULL DEFAULT '',"
    " Barcode4 TEXT NOT NULL DEFAULT '', Barcode5 TEXT NOT NULL DEFAULT '',"
    " NuMoneda INTEGER NOT NULL DEFAULT 1,"
    // price of one base unit per letter "A".."T" (before taxes unless the
    // company's IVAIncluido is on); 0 = the letter has no price
    " Precio01 REAL NOT NULL DEFAULT 0, Precio02 REAL NOT NULL DEFAULT 0, Precio03 REAL NOT NULL DEFAULT 0,"
    " Precio04 REAL NOT NULL DEFAULT 0, Precio05 REAL NOT NULL DEFAULT 0, Precio06 REAL NOT NULL DEFAULT 0,"
    " Precio07 REAL NOT NULL DEFAULT 0, Precio08 REAL NOT NULL DEFAULT 0, Precio09 REAL NOT NULL DEFAULT 0,"
    " Precio10 REAL NOT NULL DEFAULT 0, Precio11 REAL NOT NULL DEFAULT 0, Precio12 REAL NOT NULL DEFAULT 0,"
    " Precio13 REAL NOT NULL DEFAULT 0, Precio14 REAL NOT NULL DEFAULT 0, Precio15 REAL NOT NULL DEFAULT 0,"
    " Precio16 REAL NOT NULL DEFAULT 0, Precio17 REAL NOT NULL DEFAULT 0, Precio18 REAL NOT NULL DEFAULT 0,"
    " Precio19 REAL NOT NULL DEFAULT 0, Precio20 REAL NOT NULL DEFAULT 0,"
    " Costo REAL NOT NULL DEFAULT 0,"          // last cost of a base unit, in the product currency, before taxes
    " TasaIVA REAL NOT NULL DEFAULT 16, TasaIEPS REAL NOT NULL DEFAULT 0, Tasa2 REAL NOT NULL DEFAULT 0,"  // percent
    " Descuento_Adicional REAL NOT NULL DEFAULT 0, Descuento_AdicionalTP TEXT NOT NULL DEFAULT '',"
    " Promocion REAL NOT NULL DEFAULT 0, OP_PROMO_SINLIMITE TEXT NOT NULL DEFAULT 'F',"
    " OP_PROMO_MIN_STOCK REAL NOT NULL DEFAULT 0, FIN_PROMOCION TEXT NOT NULL DEFAULT '',"
    " NUPRECIO_PROMO TEXT NOT NULL DEFAULT '',"
    " FechaAlta TEXT NOT NULL DEFAULT '',"
    " BuscaDescripcion TEXT NOT NULL DEFAULT '',"  // normalized Descripcion
    " BuscaModelo TEXT NOT NULL DEFAULT '')",       // normalized Modelo..Modelo5, separated by "|"

    "CREATE TABLE IF NOT EXISTS producto_fotos ("
    " ID TEXT PRIMARY KEY COLLATE NOCASE REFERENCES productos(ID),"
    " Foto BLOB,"                              // JPEG bytes, NULL when the product has no photo
    " Ficha TEXT NOT NULL DEFAULT '')",        // technical sheet in RTF, empty when none

    "CREATE TABLE IF NOT EXISTS existencias ("
    " NuAlmacen INTEGER NOT NULL REFERENCES almacenes(NuAlmacen),"
    " ID TEXT NOT NULL COLLATE NOCASE REFERENCES productos(ID),"
    " Existencia REAL NOT NULL DEFAULT 0,"     // base units on hand
    " Minimo REAL NOT NULL DEFAULT 0, Maximo REAL NOT NULL DEFAULT 0,"
    " Ubicacion TEXT NOT NULL DEFAULT '',"
    " PRIMARY KEY (NuAlmacen, ID))",

    // --- clients -----------------------------------------------------------
    "CREATE TABLE IF NOT EXISTS clientes ("
    " NuClienteKorvel INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuCliente INTEGER NOT NULL DEFAULT 0,"   // number of the client in the accounting system
    " Nombre TEXT NOT NULL, Comercial TEXT NOT NULL DEFAULT '', RFC TEXT NOT NULL DEFAULT '',"
    " Calle TEXT NOT NULL DEFAULT '', Numero TEXT NOT NULL DEFAULT '', Interior TEXT NOT NULL DEFAULT '',"
    " Colonia TEXT NOT NULL DEFAULT '', Ciudad TEXT NOT NULL DEFAULT '', Estado TEXT NOT NULL DEFAULT '',"
    " Pais TEXT NOT NULL DEFAULT '', CP TEXT NOT NULL DEFAULT '',"
    " Email TEXT NOT NULL DEFAULT '', Telefono TEXT NOT NULL DEFAULT '',"  // Telefono: digits only
    " DomicilioEntrega TEXT NOT NULL DEFAULT '',"
    " NuPrecio TEXT NOT NULL DEFAULT '',"      // fixed price letter of the client, '' = none
    " Limite REAL NOT NULL DEFAULT 0,"         // credit limit in pesos
    " NuTipoPago INTEGER NOT NULL DEFAULT 1,"  // 1 contado, 2 crédito
    " DiasCredito INTEGER NOT NULL DEFAULT 0,"
    " CreditoSuspendido INTEGER NOT NULL DEFAULT 0,"
    " Extra1 TEXT NOT NULL DEFAULT '', Extra2 TEXT NOT NULL DEFAULT '', Extra3 TEXT NOT NULL DEFAULT '',"
    " Latitud REAL NOT NULL DEFAULT 0, Longitud REAL NOT NULL DEFAULT 0,"
    " RegimenFiscal TEXT NOT NULL DEFAULT '', UsoCFDI TEXT NOT NULL DEFAULT 'G03',"
    " NuVendedor INTEGER NOT NULL DEFAULT 0,"  // usuarios.NuUser of the seller in charge
    " EsPublicoGeneral INTEGER NOT NULL DEFAULT 0,"  // the counter-sales client of the company
    " BuscaNombre TEXT NOT NULL DEFAULT '')",  // normalized Nombre + " | " + Comercial

    // --- orders ("carros") -------------------------------------------------
    "CREATE TABLE IF NOT EXISTS carros ("
    " NuCarro INTEGER PRIMARY KEY,"            // NuPedido of TPedido
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuCliente INTEGER NOT NULL REFERENCES clientes(NuClienteKorvel),"
    " NuUser INTEGER NOT NULL DEFAULT 0,"      // who captured it
    " NuAlmacen INTEGER NOT NULL DEFAULT 0,"
    " NuEstado INTEGER NOT NULL DEFAULT 0, ReferenciaPago TEXT NOT NULL DEFAULT '',"
    " NuImpreso INTEGER NOT NULL DEFAULT 0,"
    " Fecha TEXT NOT NULL, Hora TEXT NOT NULL DEFAULT '00:00:00', Fecha_Entrega TEXT NOT NULL DEFAULT '',"
    " SubTotal REAL NOT NULL DEFAULT 0, IVA REAL NOT NULL DEFAULT 0, IEPS REAL NOT NULL DEFAULT 0,"
    " TASA2 REAL NOT NULL DEFAULT 0, Total REAL NOT NULL DEFAULT 0,"
    " Notas TEXT NOT NULL DEFAULT '', TipoFolioCliente INTEGER NOT NULL DEFAULT 1,"
    " NuMoneda INTEGER NOT NULL DEFAULT 1, TipoCambio REAL NOT NULL DEFAULT 1,"
    " NuPaso INTEGER NOT NULL DEFAULT 0,"      // 0 En Captura, 1 En Proceso, 2 Facturado, 3 Denegado, 4 Con Error,
                                               // 5/6/7 Cancelado X A/V/C, 8 En Cap/Local, 9 Cotización
    " NuChofer INTEGER NOT NULL DEFAULT 0, Horario TEXT NOT NULL DEFAULT '',"
    " FolioVenta INTEGER NOT NULL DEFAULT 0,"  // ventas.FolioVenta once processed
    " UsoCFDI TEXT NOT NULL DEFAULT '', MetodoPago TEXT NOT NULL DEFAULT '', FormaPago TEXT NOT NULL DEFAULT '',"
    " Facilidad271 TEXT NOT NULL DEFAULT '', NuTipoOpera INTEGER NOT NULL DEFAULT 0,"
    " NuEmpresaPago INTEGER NOT NULL DEFAULT 0, Envio REAL NOT NULL DEFAULT 0,"
    " TokenPago TEXT NOT NULL DEFAULT '', URLPago TEXT NOT NULL DEFAULT '',"
    " CteNombre TEXT NOT NULL DEFAULT '', CteTelefono TEXT NOT NULL DEFAULT '', CteCorreo TEXT NOT NULL DEFAULT '',"
    " CteCalle TEXT NOT NULL DEFAULT '', CteNumero TEXT NOT NULL DEFAULT '', CteNumeroint TEXT NOT NULL DEFAULT '',"
    " CteCP TEXT NOT NULL DEFAULT '', CteColonia TEXT NOT NULL DEFAULT '', CteCiudad TEXT NOT NULL DEFAULT '',"
    " CteEstado TEXT NOT NULL DEFAULT '', CteCalles TEXT NOT NULL DEFAULT '', CteReferencia TEXT NOT NULL DEFAULT '',"
    " CteRFC TEXT NOT NULL DEFAULT '', CtePais TEXT NOT NULL DEFAULT '',"
    " REQ_AUTH TEXT NOT NULL DEFAULT '',"      // "R" while some line waits for a price decision
    " AHORRO REAL NOT NULL DEFAULT 0, TOTAL_SINENVIO REAL NOT NULL DEFAULT 0,"
    " RET_IVA REAL NOT NULL DEFAULT 0, RET_ISR REAL NOT NULL DEFAULT 0,"
    " IVA_RET REAL NOT NULL DEFAULT 0, ISR_RET REAL NOT NULL DEFAULT 0,"
    " CteLatitud REAL NOT NULL DEFAULT 0, CteLongitud REAL NOT NULL DEFAULT 0,"
    " Distancia REAL NOT NULL DEFAULT 0, Duracion REAL NOT NULL DEFAULT 0,"
    " DistanciaText TEXT NOT NULL DEFAULT '', DuracionText TEXT NOT NULL DEFAULT '',"
    " Modificado TEXT NOT NULL DEFAULT '')",   // date-time of the last change

    "CREATE TABLE IF NOT EXISTS carros_mov ("
    " NuCarro_Mov INTEGER PRIMARY KEY,"
    " NuCarro INTEGER NOT NULL REFERENCES carros(NuCarro) ON DELETE CASCADE,"
    " NuDetalle INTEGER NOT NULL DEFAULT 0,"
    " NuProducto TEXT NOT NULL COLLATE NOCASE,"  // productos.ID
    " Producto TEXT NOT NULL DEFAULT '', Observacion TEXT NOT NULL DEFAULT '',"
    " Cantidad REAL NOT NULL DEFAULT 0, Precio REAL NOT NULL DEFAULT 0, Descuento REAL NOT NULL DEFAULT 0,"
    " TasaIVA REAL NOT NULL DEFAULT 0, TasaIEPS REAL NOT NULL DEFAULT 0, TasaTasa2 REAL NOT NULL DEFAULT 0,"
    " SubTotal REAL NOT NULL DEFAULT 0, IVA REAL NOT NULL DEFAULT 0, IEPS REAL NOT NULL DEFAULT 0,"
    " Total_Tasa2 REAL NOT NULL DEFAULT 0, Total REAL NOT NULL DEFAULT 0, PreOri REAL NOT NULL DEFAULT 0,"
    " Esp1 TEXT NOT NULL DEFAULT '', Esp2 TEXT NOT NULL DEFAULT '', Esp3 TEXT NOT NULL DEFAULT '',"
    " Esp4 TEXT NOT NULL DEFAULT '', Esp5 TEXT NOT NULL DEFAULT '', Esp6 TEXT NOT NULL DEFAULT '',"
    " UsarMultiUnidad INTEGER NOT NULL DEFAULT 0, VNuMedida INTEGER NOT NULL DEFAULT 0,"
    " VUnidades REAL NOT NULL DEFAULT 1, Unidad TEXT NOT NULL DEFAULT '',"
    " RFECHA_AUTH TEXT NOT NULL DEFAULT '', FECHA_AUTH TEXT NOT NULL DEFAULT '',"  // requested / decided
    " REQ_AUTH TEXT NOT NULL DEFAULT '',"      // '' none, R requested, A approved, D/d denied
    " NUUSER_AUTH INTEGER NOT NULL DEFAULT 0,"
    " PrecioPacto REAL NOT NULL DEFAULT 0, BarCode TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS autorizaciones_precio ("
    " NuAutorizacion INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuCarro INTEGER NOT NULL REFERENCES carros(NuCarro) ON DELETE CASCADE,"
    " NuCarro_Mov INTEGER NOT NULL,"           // carros_mov line (kept when the line is replaced)
    " NuProducto TEXT NOT NULL COLLATE NOCASE,"
    " PrecioLista REAL NOT NULL DEFAULT 0,"    // price of the seller's letter, per unit sold
    " Precio REAL NOT NULL DEFAULT 0,"         // price requested, per unit sold
    " Pacto REAL NOT NULL DEFAULT 0,"          // agreed price per base unit, 0 = none
    " Cantidad REAL NOT NULL DEFAULT 0, Unidad TEXT NOT NULL DEFAULT '', VUnidades REAL NOT NULL DEFAULT 1,"
    " NuMoneda INTEGER NOT NULL DEFAULT 1,"
    " Estado TEXT NOT NULL DEFAULT 'R',"       // R pending, A approved, D denied (order back to capture), d denied
    " Solicitud TEXT NOT NULL,"                // date-time of the request
    " NuUserSolicita INTEGER NOT NULL DEFAULT 0,"
    " Resolucion TEXT NOT NULL DEFAULT '',"    // date-time of the decision
    " NuUserResuelve INTEGER NOT NULL DEFAULT 0)",

    // --- sales, fiscal documents, deliveries -------------------------------
    "CREATE TABLE IF NOT EXISTS timbres ("
    " NuTimbre INTEGER PRIMARY KEY,"
    " UUID TEXT NOT NULL UNIQUE,"
    " Version TEXT NOT NULL DEFAULT '4.0', VersionTim TEXT NOT NULL DEFAULT '1.1',"
    " Fecha TEXT NOT NULL DEFAULT '',"         // issue date-time of the CFDI
    " FechaTimbrado TEXT NOT NULL DEFAULT '',"
    " TipoDeComprobante TEXT NOT NULL DEFAULT 'I',"  // I ingreso, P pago, E egreso
    " NuCertificado TEXT NOT NULL DEFAULT '', NuCertificadoSAT TEXT NOT NULL DEFAULT '',"
    " RFCPAC TEXT NOT NULL DEFAULT '',"
    " Sello TEXT NOT NULL DEFAULT '', SelloSAT TEXT NOT NULL DEFAULT '', SelloCFD TEXT NOT NULL DEFAULT '',"
    " Cadena TEXT NOT NULL DEFAULT '', CadenaTim TEXT NOT NULL DEFAULT '',"
    " QRCode TEXT NOT NULL DEFAULT '', QRCodeMin TEXT NOT NULL DEFAULT '',"  // verification address
    " Cancelado INTEGER NOT NULL DEFAULT 0)",

    "CREATE TABLE IF NOT EXISTS ventas ("
    " FolioVenta INTEGER PRIMARY KEY,"         // sale folio, also the operation number of its delivery
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuAlmacen INTEGER NOT NULL REFERENCES almacenes(NuAlmacen),"
    " NuCarro INTEGER NOT NULL DEFAULT 0,"     // order it came from, 0 = counter sale
    " NuCliente INTEGER NOT NULL REFERENCES clientes(NuClienteKorvel),"
    " NuUser INTEGER NOT NULL DEFAULT 0,"
    " Tipo INTEGER NOT NULL DEFAULT 2,"        // processing code: 2 factura, 5 ticket, 6 remisión (solo entregar)
    " Origen TEXT NOT NULL DEFAULT 'ADM',"     // ADM administrative sale, POS point of sale
    " Serie TEXT NOT NULL DEFAULT '', Folio INTEGER NOT NULL DEFAULT 0,"  // series/folio of the factura, ticket or remisión
    " Fecha TEXT NOT NULL,"                    // date-time of the sale
    " NuMoneda INTEGER NOT NULL DEFAULT 1, TipoCambio REAL NOT NULL DEFAULT 1,"
    " SubTotal REAL NOT NULL DEFAULT 0, Descuento REAL NOT NULL DEFAULT 0, IVA REAL NOT NULL DEFAULT 0,"
    " IEPS REAL NOT NULL DEFAULT 0, Tasa2 REAL NOT NULL DEFAULT 0, Total REAL NOT NULL DEFAULT 0,"
    " Credito INTEGER NOT NULL DEFAULT 0,"     // 1 sold on account (a cliente_movs document), 0 paid at once
    " MetodoPago TEXT NOT NULL DEFAULT 'PUE', FormaPago TEXT NOT NULL DEFAULT '01', UsoCFDI TEXT NOT NULL DEFAULT 'G03',"
    " NuTimbre INTEGER REFERENCES timbres(NuTimbre),"  // NULL: not stamped (tickets, remisiones, pending invoices)
    " Receptor TEXT NOT NULL DEFAULT '', RFCReceptor TEXT NOT NULL DEFAULT '',"
    " PedNotas TEXT NOT NULL DEFAULT '', PedEntrega TEXT NOT NULL DEFAULT '',"  // order notes, delivery address
    " PedDomicilio TEXT NOT NULL DEFAULT '', PedEntreCalles TEXT NOT NULL DEFAULT '',"
    " PedReferencia TEXT NOT NULL DEFAULT '', PedCorreo TEXT NOT NULL DEFAULT '', PedTelefono TEXT NOT NULL DEFAULT '',"
    " PedURLPago TEXT NOT NULL DEFAULT '', PedTokenPago TEXT NOT NULL DEFAULT '',"
    " NuWeb INTEGER NOT NULL DEFAULT 0,"
    " Latitud REAL NOT NULL DEFAULT 0, Longitud REAL NOT NULL DEFAULT 0,"  // delivery position
    " NuChofer INTEGER NOT NULL DEFAULT 0,"    // driver (usuarios.NuUser)
    " EstatusEntrega INTEGER NOT NULL DEFAULT 0,"  // 0 En Espera, 1 En Ruta, 3 Entregado, 4 Devuelto, 5 ReAgendado
    " Cancelada INTEGER NOT NULL DEFAULT 0)",

    "CREATE TABLE IF NOT EXISTS ventas_mov ("
    " NuVenta_Mov INTEGER PRIMARY KEY,"
    " FolioVenta INTEGER NOT NULL REFERENCES ventas(FolioVenta) ON DELETE CASCADE,"
    " NuCarro_Mov INTEGER NOT NULL DEFAULT 0," // NuPedido_Mov of TConcepto
    " ID TEXT NOT NULL COLLATE NOCASE,"        // NoIdentificacion
    " ClaveProdServ TEXT NOT NULL DEFAULT '', ClaveUnidad TEXT NOT NULL DEFAULT 'H87',"
    " Unidad TEXT NOT NULL DEFAULT '', VUnidades REAL NOT NULL DEFAULT 1,"  // unit sold and its factor
    " Descripcion TEXT NOT NULL DEFAULT '',"
    " Cantidad REAL NOT NULL DEFAULT 0, CantidadEnt REAL NOT NULL DEFAULT 0,"  // in the unit sold
    " ValorUnitario REAL NOT NULL DEFAULT 0, Importe REAL NOT NULL DEFAULT 0, Descuento REAL NOT NULL DEFAULT 0,"
    " TasaIVA REAL NOT NULL DEFAULT 0, IVA REAL NOT NULL DEFAULT 0, TasaIEPS REAL NOT NULL DEFAULT 0,"
    " IEPS REAL NOT NULL DEFAULT 0, Tasa2 REAL NOT NULL DEFAULT 0, Total_Tasa2 REAL NOT NULL DEFAULT 0,"
    " Total REAL NOT NULL DEFAULT 0,"          // Importe - Descuento + taxes
    " Costo REAL NOT NULL DEFAULT 0)",         // cost of the unit sold at the time of the sale, pesos

    "CREATE TABLE IF NOT EXISTS entregas ("
    " NuEntrega INTEGER PRIMARY KEY,"
    " FolioVenta INTEGER NOT NULL REFERENCES ventas(FolioVenta),"
    " Estatus INTEGER NOT NULL,"               // 3 Entregado, 4 Devuelto, 5 ReAgendar
    " Notas TEXT NOT NULL DEFAULT '',"
    " Firma BLOB,"                             // signature JPEG, NULL without
    " Latitud REAL NOT NULL DEFAULT 0, Longitud REAL NOT NULL DEFAULT 0,"
    " NuUser INTEGER NOT NULL DEFAULT 0,"
    " Fecha TEXT NOT NULL)",

    "CREATE TABLE IF NOT EXISTS entregas_post ("
    " NuPost INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL DEFAULT 0,"
    " Fecha TEXT NOT NULL,"                    // when it was received
    " NuPedido INTEGER NOT NULL DEFAULT 0,"    // from the body, when readable
    " Cuerpo TEXT NOT NULL)",                  // the JSON body as received

    // --- collections ---------------------------------------------------------
    "CREATE TABLE IF NOT EXISTS cliente_movs ("
    " NuCliente_Mov INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuCliente INTEGER NOT NULL REFERENCES clientes(NuClienteKorvel),"
    " Tipo INTEGER NOT NULL DEFAULT 1,"        // 1 sale on account, 2 opening balance
    " FolioVenta INTEGER NOT NULL DEFAULT 0,"  // the sale, 0 for opening balances
    " NuPedido INTEGER NOT NULL DEFAULT 0,"    // the order of the sale
    " Fecha TEXT NOT NULL, FechaVence TEXT NOT NULL,"
    " NuMoneda INTEGER NOT NULL DEFAULT 1, TipoCambio REAL NOT NULL DEFAULT 1,"
    " Descripcion TEXT NOT NULL DEFAULT '', FolioUnico TEXT NOT NULL DEFAULT '',"
    " SerieFactura TEXT NOT NULL DEFAULT '', FolioFactura INTEGER NOT NULL DEFAULT 0,"  // only one of the three kinds is set
    " SerieTicket TEXT NOT NULL DEFAULT '', FolioTicket INTEGER NOT NULL DEFAULT 0,"
    " SerieRemision TEXT NOT NULL DEFAULT '', FolioRemision INTEGER NOT NULL DEFAULT 0,"
    " ImporteOriginal REAL NOT NULL DEFAULT 0,"
    " ImporteDeuda REAL NOT NULL DEFAULT 0,"   // still owed, in the document currency
    " UUID TEXT NOT NULL DEFAULT '',"          // of the invoice, '' when not a CFDI
    " Facilidad271 TEXT NOT NULL DEFAULT '', PagoFacilidad271 TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS notas_credito ("
    " NuNota INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuAlmacen INTEGER NOT NULL DEFAULT 0,"
    " NuCliente INTEGER NOT NULL REFERENCES clientes(NuClienteKorvel),"
    " NuCliente_Mov INTEGER NOT NULL DEFAULT 0,"  // document it was applied to
    " Tipo INTEGER NOT NULL DEFAULT 1,"        // 1 devolución, 2 ajuste manual
    " Fecha TEXT NOT NULL, NuMoneda INTEGER NOT NULL DEFAULT 1, TipoCambio REAL NOT NULL DEFAULT 1,"
    " SubTotal REAL NOT NULL DEFAULT 0, Impuestos REAL NOT NULL DEFAULT 0, Total REAL NOT NULL DEFAULT 0,"
    " Descripcion TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS abonos ("
    " NuAbono INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuCliente INTEGER NOT NULL REFERENCES clientes(NuClienteKorvel),"
    " SerieCobranza TEXT NOT NULL DEFAULT '',"  // series of the receipt (folios RECIBO)
    " FolioAbono INTEGER NOT NULL,"            // receipt folio (FOLIOABONO)
    " FolioInterno INTEGER NOT NULL,"          // internal folio (FOLIOINTERNO)
    " Fecha TEXT NOT NULL,"                    // date-time registered
    " FechaPago TEXT NOT NULL,"                // date of the payment
    " NuUser INTEGER NOT NULL DEFAULT 0, NuAlmacen INTEGER NOT NULL DEFAULT 0, NuCorte INTEGER NOT NULL DEFAULT 0,"
    " NuMoneda INTEGER NOT NULL DEFAULT 1, TipoCambio REAL NOT NULL DEFAULT 1,"
    " Importe REAL NOT NULL,"                  // amount paid in NuMoneda
    " MetodoPagoCob TEXT NOT NULL DEFAULT 'F',"  // F efectivo, T cheque, J tarjeta crédito, D tarjeta débito, R transferencia,
                                                 // V vales, M monedero, E dinero electrónico, C condonación
    " FormaPago TEXT NOT NULL DEFAULT '01',"   // SAT payment form of the receipt
    " NumOperacion TEXT NOT NULL DEFAULT '', Descripcion TEXT NOT NULL DEFAULT '',"
    " NuTimbre INTEGER REFERENCES timbres(NuTimbre),"  // payment CFDI (REP), NULL when not stamped
    " Cancelado INTEGER NOT NULL DEFAULT 0)",

    "CREATE TABLE IF NOT EXISTS abonos_mov ("
    " NuAbono_Mov INTEGER PRIMARY KEY,"
    " NuAbono INTEGER NOT NULL REFERENCES abonos(NuAbono) ON DELETE CASCADE,"
    " NuCliente_Mov INTEGER NOT NULL REFERENCES cliente_movs(NuCliente_Mov),"
    " Importe REAL NOT NULL,"                  // applied, in the document currency (ImpPagado)
    " ImporteAbono REAL NOT NULL,"             // the same in the payment currency
    " NumParcialidad INTEGER NOT NULL DEFAULT 1,"
    " ImpSaldoAnt REAL NOT NULL DEFAULT 0, ImpSaldoInsoluto REAL NOT NULL DEFAULT 0)",

    // --- purchases ---------------------------------------------------------
    "CREATE TABLE IF NOT EXISTS compras ("
    " NuCompra INTEGER PRIMARY KEY,"
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuAlmacen INTEGER NOT NULL REFERENCES almacenes(NuAlmacen),"
    " NuProveedor INTEGER NOT NULL REFERENCES proveedores(NuProveedor),"
    " Folio TEXT NOT NULL DEFAULT '',"         // supplier's invoice
    " Fecha TEXT NOT NULL,"                    // date-time
    " NuMoneda INTEGER NOT NULL DEFAULT 1, TC REAL NOT NULL DEFAULT 1,"
    " Credito INTEGER NOT NULL DEFAULT 0,"     // 1 bought on account
    " SubTotal REAL NOT NULL DEFAULT 0, IVA REAL NOT NULL DEFAULT 0, IEPS REAL NOT NULL DEFAULT 0,"
    " Total REAL NOT NULL DEFAULT 0,"
    " Saldo REAL NOT NULL DEFAULT 0,"          // still owed to the supplier, in NuMoneda
    " FechaVence TEXT NOT NULL DEFAULT '')",

    "CREATE TABLE IF NOT EXISTS compras_mov ("
    " NuCompra_Mov INTEGER PRIMARY KEY,"
    " NuCompra INTEGER NOT NULL REFERENCES compras(NuCompra) ON DELETE CASCADE,"
    " ID TEXT NOT NULL COLLATE NOCASE,"
    " Unidad TEXT NOT NULL DEFAULT '', VUnidades REAL NOT NULL DEFAULT 1,"
    " Cant REAL NOT NULL DEFAULT 0,"           // in Unidad
    " Costo REAL NOT NULL DEFAULT 0,"          // per Unidad, purchase currency, before taxes
    " CostoImp REAL NOT NULL DEFAULT 0,"       // the same with taxes
    " SubTotal REAL NOT NULL DEFAULT 0, Impuestos REAL NOT NULL DEFAULT 0, Total REAL NOT NULL DEFAULT 0)",

    // --- inventory count ---------------------------------------------------
    "CREATE TABLE IF NOT EXISTS listas_inv ("
    " NuListaInv INTEGER PRIMARY KEY,"         // FolioLista
    " NuEmpresa INTEGER NOT NULL REFERENCES empresas(NuEmpresa),"
    " NuAlmacen INTEGER NOT NULL DEFAULT 0,"
    " Descripcion TEXT NOT NULL DEFAULT '',"
    " Fecha TEXT NOT NULL, NuUser INTEGER NOT NULL DEFAULT 0,"
    " Abierta INTEGER NOT NULL DEFAULT 1)",    // 1 accepts new lines, 0 closed

    "CREATE TABLE IF NOT EXISTS listas_inv_mov ("
    " NuListaInv_Mov INTEGER PRIMARY KEY,"
    " NuListaInv INTEGER NOT NULL REFERENCES listas_inv(NuListaInv) ON DELETE CASCADE,"
    " ID TEXT NOT NULL COLLATE NOCASE,"        // N123
    " Cantidad REAL NOT NULL DEFAULT 0,"       // in the unit counted
    " UXC REAL NOT NULL DEFAULT 1,"            // base units per counted unit
    " NuUnidad INTEGER NOT NULL DEFAULT 0,"    // NUMEDIDA
    " Fecha TEXT NOT NULL, NuUser INTEGER NOT NULL DEFAULT 0,"
    " Eliminado INTEGER NOT NULL DEFAULT 0)",  // 1: deleted (listed with a negative NuListaInv_Mov)

    // --- indexes -------------------------------------------------------------
    "CREATE INDEX IF NOT EXISTS ix_clientes_empresa ON clientes (NuEmpresa)",
    "CREATE INDEX IF NOT EXISTS ix_carros_fecha ON carros (NuEmpresa, Fecha, NuPaso)",
    "CREATE INDEX IF NOT EXISTS ix_carros_mov_carro ON carros_mov (NuCarro)",
    "CREATE INDEX IF NOT EXISTS ix_autorizaciones ON autorizaciones_precio (NuEmpresa, Estado, Solicitud)",
    "CREATE INDEX IF NOT EXISTS ix_ventas_fecha ON ventas (NuEmpresa, Fecha)",
    "CREATE INDEX IF NOT EXISTS ix_ventas_cliente ON ventas (NuCliente)",
    "CREATE INDEX IF NOT EXISTS ix_ventas_carro ON ventas (NuCarro)",
    "CREATE INDEX IF NOT EXISTS ix_ventas_mov_venta ON ventas_mov (FolioVenta)",
    "CREATE INDEX IF NOT EXISTS ix_ventas_mov_producto ON ventas_mov (ID)",
    "CREATE INDEX IF NOT EXISTS ix_entregas_venta ON entregas (FolioVenta)",
    "CREATE INDEX IF NOT EXISTS ix_cliente_movs_cliente ON cliente_movs (NuCliente, NuMoneda)",
    "CREATE INDEX IF NOT EXISTS ix_cliente_movs_venta ON cliente_movs (FolioVenta)",
    "CREATE INDEX IF NOT EXISTS ix_abonos_cliente ON abonos (NuCliente)",
    "CREATE INDEX IF NOT EXISTS ix_abonos_fecha ON abonos (NuEmpresa, FechaPago)",
    "CREATE INDEX IF NOT EXISTS ix_abonos_mov_abono ON abonos_mov (NuAbono)",
    "CREATE INDEX IF NOT EXISTS ix_abonos_mov_doc ON abonos_mov (NuCliente_Mov)",
    "CREATE INDEX IF NOT EXISTS ix_notas_fecha ON notas_credito (NuEmpresa, Fecha)",
    "CREATE INDEX IF NOT EXISTS ix_compras_fecha ON compras (NuEmpresa, Fecha)",
    "CREATE INDEX IF NOT EXISTS ix_compras_mov_compra ON compras_mov (NuCompra)",
    "CREATE INDEX IF NOT EXISTS ix_compras_mov_producto ON compras_mov (ID)",
    "CREATE INDEX IF NOT EXISTS ix_listas_inv_mov_lista ON listas_inv_mov (NuListaInv)",

    // --- views ---------------------------------------------------------------
    "CREATE VIEW IF NOT EXISTS saldos_clientes AS"
    " SELECT c.NuClienteKorvel AS NuCliente, c.NuEmpresa AS NuEmpresa,"
    " IFNULL(SUM(CASE WHEN m.NuMoneda = 1 THEN m.ImporteDeuda END), 0) AS SaldoMXN,"
    " IFNULL(SUM(CASE WHEN m.NuMoneda <> 1 THEN m.ImporteDeuda END), 0) AS SaldoUSD,"
    " IFNULL(SUM(CASE WHEN m.FechaVence < date('now', 'localtime') AND m.NuMoneda = 1 THEN m.ImporteDeuda END), 0)"
    "   AS VencidoMXN,"
    " IFNULL(SUM(CASE WHEN m.FechaVence < date('now', 'localtime') AND m.NuMoneda <> 1 THEN m.ImporteDeuda END), 0)"
    "   AS VencidoUSD,"
    " COUNT(CASE WHEN m.FechaVence < date('now', 'localtime') THEN 1 END) AS DocsVencidos,"
    " MIN(CASE WHEN m.FechaVence < date('now', 'localtime') THEN m.FechaVence END) AS VenceMasAntiguo"
    " FROM clientes c LEFT JOIN cliente_movs m"
    "   ON m.NuCliente = c.NuClienteKorvel AND m.ImporteDeuda > 0.005"
    " GROUP BY c.NuClienteKorvel",
};

} // namespace

void createSchema(Store& store)
{
    for (const char* sql : kStatements)
        store.exec(QString::fromUtf8(sql));
}

} // namespace korvel::sandbox
