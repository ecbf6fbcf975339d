#include "shell/TaskRunner.h"

#include "service/ServiceError.h"
#include "shell/Messages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace korvel {

void TaskContext::ui(const std::function<void()>& step)
{
    if (m_stop)
        return;
    if (QThread::currentThread() == m_ui->thread()) {
        step();
        return;
    }
    QMetaObject::invokeMethod(
        m_ui,
        [&] {
            try {
                step();
            } catch (const std::exception& e) {
                m_error = QStringLiteral("Error: ") + QString::fromUtf8(e.what());
            }
        },
        Qt::BlockingQueuedConnection);
}

bool TaskContext::stopRequested() const
{
    return m_stop;
}

TaskRunner::TaskRunner(Messages& messages, QObject* parent)
    : QObject(parent), m_messages(messages), m_stop(std::make_shared<std::atomic_bool>(false))
{
}

TaskRunner::~TaskRunner()
{
    // Workers still calling the server are left to end on their own; their
    // user-interface steps are skipped from now on.
    *m_stop = true;
    waitIdle(2000);
}

bool TaskRunner::start(const TaskPlan& plan, Work work, Done done)
{
    if (plan.exclusive && (m_busy || m_messages.activityVisible()))
        return false;
    if (plan.exclusive) {
        m_busy = true;
        emit busyChanged();
    }
    // First user-interface step.
    if (!plan.dialogMessage.isEmpty())
        m_messages.showActivity(plan.dialogMessage);
    if (!plan.waitMessage.isEmpty())
        m_messages.CargarEspera(plan.waitMessage);

    ++m_running;
    auto stop = m_stop;
    QThread* thread = QThread::create([this, plan, work = std::move(work), done = std::move(done), stop]() mutable {
        QThread* self = QThread::currentThread();
        TaskContext ctx(this, *stop);
        if (!plan.progressMessage.isEmpty())
            ctx.ui([&] { m_messages.UpdateEspera(plan.progressMessage); });
        QString error;
        try {
            work(ctx);
            error = ctx.error();
        } catch (const ServiceError& e) {
            error = ctx.error().isEmpty() ? QStringLiteral("Error: ") + e.message() : ctx.error();
        } catch (const std::exception& e) {
            error = ctx.error().isEmpty() ? QStringLiteral("Error: ") + QString::fromUtf8(e.what()) : ctx.error();
        } catch (...) {
            error = QStringLiteral("Error: error desconocido");
        }
        if (*stop)
            return;
        QMetaObject::invokeMethod(this, [this, plan, error, done, self] { finish(plan, error, done, self); },
                                  Qt::QueuedConnection);
    });
    thread->start();
    return true;
}

void TaskRunner::finish(const TaskPlan& plan, const QString& error, const Done& done, QThread* thread)
{
    // Last user-interface step.
    if (!plan.dialogMessage.isEmpty())
        m_messages.hideActivity();
    m_messages.DesCargarEspera();
    if (!error.isEmpty() && plan.showsError)
        m_messages.ShowMsg(plan.title, error, Messages::Error);
    if (plan.exclusive) {
        m_busy = false;
        emit busyChanged();
    }
    if (done) {
        try {
            done(error);
        } catch (const std::exception&) {
        }
    }
    --m_running;
    thread->wait();
    thread->deleteLater();
}

bool TaskRunner::waitIdle(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_running > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return m_running == 0;
}

} // namespace korvel
