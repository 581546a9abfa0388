#include "Tavro/Shell/SupportPolicyFetch.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLoggingCategory>
#include <QProcess>

#include <QCoro/QCoroProcess>

#include <memory>

namespace tavro::SupportPolicyFetch {

namespace {
Q_LOGGING_CATEGORY(lcFetch, "tavro.shell")
} // namespace

QString program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tavro-fetch");
}

QCoro::Task<Result> run(QUrl url, QString fetchProgram)
{
    // The kill below may come from inside the process's own readyRead.
    std::unique_ptr<QProcess, DeleteLater> process(new QProcess);
    // What the program says of its failures reaches this program's log.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto body = std::make_shared<CappedBody>();
    QProcess* raw = process.get();
    QObject::connect(raw, &QProcess::readyReadStandardOutput, raw, [raw, body] {
        if (!body->tooLarge && !body->take(raw->readAllStandardOutput()))
            raw->kill();
    });
    raw->start(fetchProgram, {url.toString(QUrl::FullyEncoded)}, QIODevice::ReadOnly);
    // Waited for here: QCoro's waitForStarted never returns for a program that cannot start, and
    // Qt knows within the fork and exec, a millisecond or two, once a day.
    if (!raw->waitForStarted()) {
        qCInfo(lcFetch) << "The fetch's program could not start:" << fetchProgram;
        co_return std::unexpected(Error::transport);
    }
    // Named, not temporaries of the co_await: g++ 12 may destroy such temporaries twice.
    auto watched = qCoro(raw);
    auto finished = watched.waitForFinished(-1);
    co_await finished;

    if (body->tooLarge)
        co_return std::unexpected(Error::tooLarge);
    if (raw->exitStatus() != QProcess::NormalExit)
        co_return std::unexpected(Error::transport);
    switch (raw->exitCode()) {
    case 0:
        if (!body->take(raw->readAllStandardOutput()))
            co_return std::unexpected(Error::tooLarge);
        co_return Body{std::move(body->bytes)};
    case int(Error::badServerResponse):
        co_return std::unexpected(Error::badServerResponse);
    case int(Error::tooLarge):
        co_return std::unexpected(Error::tooLarge);
    default:
        co_return std::unexpected(Error::transport);
    }
}

} // namespace tavro::SupportPolicyFetch
