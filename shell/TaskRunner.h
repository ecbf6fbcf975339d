#pragma once
// The background-task pattern. A task runs its service calls on a worker
// thread of its own; its user-interface steps run on the UI thread, in order,
// while the worker waits. One task at a time: a request made while a task
// runs is dropped without a message (the user sees the running task's
// activity dialog). The window keeps painting throughout.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace korvel {

class Messages;

struct TaskPlan {
    QString title = QStringLiteral("Error"); // title of the error message
    QString dialogMessage;   // activity dialog text of the first step (empty: no dialog)
    QString waitMessage;     // busy overlay (CargarEspera) of the first step (empty: no overlay)
    QString progressMessage; // UpdateEspera of the second step (empty: none)
    bool exclusive = true;   // counts as the running task; false for silent helpers (photos)
    bool showsError = true;  // the last step shows the error text as a kind-0 message
};

class TaskContext {
public:
    // Runs `step` on the user-interface thread and returns when it is done.
    // Skipped once the program is shutting down.
    void ui(const std::function<void()>& step);
    // Replaces the error text a failure would show ("Error: " + message by default).
    void setError(const QString& text) { m_error = text; }
    const QString& error() const { return m_error; }
    bool stopRequested() const;

private:
    friend class TaskRunner;
    TaskContext(QObject* uiObject, const std::atomic_bool& stop) : m_ui(uiObject), m_stop(stop) {}
    QObject* m_ui;
    const std::atomic_bool& m_stop;
    QString m_error;
};

class TaskRunner : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the shell")
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    explicit TaskRunner(Messages& messages, QObject* parent = nullptr);
    ~TaskRunner() override;

    using Work = std::function<void(TaskContext&)>;
    using Done = std::function<void(const QString& error)>;

    // Starts a task, or returns false (and does nothing) while another runs.
    // `work` runs on the worker; `done` runs last on the UI thread, after the
    // overlays are hidden and any error was shown.
    bool start(const TaskPlan& plan, Work work, Done done = {});

    bool busy() const { return m_busy; }
    // Waits (processing events) until no task runs; for tests and shutdown.
    bool waitIdle(int timeoutMs);

signals:
    void busyChanged();

private:
    void finish(const TaskPlan& plan, const QString& error, const Done& done, QThread* thread);

    Messages& m_messages;
    bool m_busy = false;
    int m_running = 0;
    std::shared_ptr<std::atomic_bool> m_stop;
};

} // namespace korvel
