#pragma once
// The operations the sandbox offers: a handler per operation name, typed by
// the generated request and response records. An operation without a handler
// answers a Fault saying the sandbox does not offer it.

#include "service/Ikorvel.h"

#include <QHash>
#include <QString>

#include <functional>

namespace korvel::sandbox {

class OperationRegistry {
public:
    using Handler = std::function<void(const void* request, void* response)>;

    template <class Op, class F>
    void on(F handler)
    {
        m_handlers.insert(QString::fromLatin1(Op::info().name), [handler](const void* rq, void* rs) {
            handler(*static_cast<const typename Op::Request*>(rq), *static_cast<typename Op::Response*>(rs));
        });
    }

    const Handler* find(const QString& name) const
    {
        const auto it = m_handlers.constFind(name);
        return it == m_handlers.constEnd() ? nullptr : &it.value();
    }
    QStringList names() const { return m_handlers.keys(); }

private:
    QHash<QString, Handler> m_handlers;
};

} // namespace korvel::sandbox
