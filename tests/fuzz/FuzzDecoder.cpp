// libFuzzer target for everything that reads bytes from the network: the XML
// reader, the answer decoder (for operations of every shape) and the request
// decoder of the sandbox server. Any answer must end in a value or a
// ServiceError; anything else (a crash, a sanitizer report) is a bug.

#include "service/Ikorvel.h"
#include "service/ServiceDescription.h"
#include "service/SoapDecoder.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

using namespace korvel;

namespace {

template <class Op>
void decodeAs(const QByteArray& data)
{
    typename Op::Response r;
    try {
        soap::decodeResponse(data, Op::info(), &r);
    } catch (const ServiceError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), qsizetype(size));
    decodeAs<ops::GetEmpresa>(data);
    decodeAs<ops::ListaProducto_Consulta>(data);
    decodeAs<ops::Lista_CarroXID>(data);
    decodeAs<ops::AccesoUserXModuloXAlmacenPreciosNivel>(data);
    decodeAs<ops::BuscarFolioVentaCFDI>(data);
    decodeAs<ops::GM_EjercicioXSem>(data);

    XmlTree tree;
    if (tree.parse(data)) {
        try {
            const XmlTree::Node& element = soap::messageElement(tree);
            const std::string_view name = tree.name(element);
            if (const OperationInfo* op = findOperation(name)) {
                std::unique_ptr<void, void (*)(void*)> request(op->request->create(), op->request->destroy);
                soap::decodeRequest(tree, *op, request.get());
            }
        } catch (const ServiceError&) {
        }
    }
    QString error;
    endpointFromDescription(data, QUrl(QStringLiteral("http://h/")), QStringLiteral("Ikorvelservice"),
                            QStringLiteral("IkorvelPort"), &error);
    return 0;
}
