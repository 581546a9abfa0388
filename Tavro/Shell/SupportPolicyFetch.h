#pragma once
// The fetch of the support-policy file. It is made by a program of its own, tavro-fetch, so that the
// application never loads the network libraries (nor the Kerberos and proxy libraries they bring)
// for one request a day: `tavro-fetch URL` makes one uncached GET with no cookies, "User-Agent:
// Tavro" and a 15 s limit, writes the body of a 200 answer to its standard output, and exits with 0
// or the Error that ended the fetch. QtCore only: this is the half both programs share.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <QCoro/QCoroTask>

#include <chrono>
#include <expected>

namespace tavro::SupportPolicyFetch {

// Also tavro-fetch's exit status.
enum class Error {
    transport = 1,     // no answer, a broken connection or the time-out
    badServerResponse, // an answer other than 200
    tooLarge,          // a body longer than a policy file can be
};

// The body of a successful fetch. Awaiting a task of std::expected<QByteArray, …> trips g++ 12 over
// QByteArray's comparison templates, so the bytes come wrapped.
struct Body
{
    QByteArray bytes;
    bool operator==(const Body&) const = default;
};
using Result = std::expected<Body, Error>;

// A body is read no further; the real file is a few dozen bytes.
inline constexpr qsizetype kMaxBytes = 16384;
// A transfer that brings no data for this long fails.
inline constexpr std::chrono::milliseconds kTransferTimeout = std::chrono::seconds(15);

// A body as it arrives, kept no further than kMaxBytes: past the limit it is dropped, and the
// source is to be stopped.
struct CappedBody
{
    QByteArray bytes;
    bool tooLarge = false;
    // Adds `more`; false once the body is past the limit.
    bool take(const QByteArray& more)
    {
        if (tooLarge)
            return false;
        bytes += more;
        if (bytes.size() <= kMaxBytes)
            return true;
        tooLarge = true;
        bytes.clear();
        return false;
    }
};

// Deletes a Qt object that may still be in its own code when its last owner lets go (a reply or a
// process that ends from inside its own readyRead) with deleteLater.
struct DeleteLater
{
    void operator()(QObject* object) const { object->deleteLater(); }
};

// tavro-fetch, beside the running program.
QString program();

// Runs `fetchProgram` for `url`: only its exit with 0 succeeds, with what it wrote, read no
// further than kMaxBytes. A program that cannot start or ends otherwise is a transport failure.
[[nodiscard]] QCoro::Task<Result> run(QUrl url, QString fetchProgram);

} // namespace tavro::SupportPolicyFetch
