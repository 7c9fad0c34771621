#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace trundlex {

class MainFrame;

// One game per user answers room links. A click on a trundlex:// link starts the program with
// the link; when a game is running already, the new program hands the link to it over a
// local socket and ends, and the running game brings its window forward and goes to the room,
// so that nobody finds two games open, one of them behind the other.
//
// The socket is private to the user: it lies in the user's runtime folder (mode 0700) and
// is opened for the user alone. What a peer sends is read as at most one line of
// MaxLinkBytes; anything longer, or not a link, is dropped.
class LinkHandoff : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype MaxLinkBytes = 2048;

    // `name`: where the running game listens; serverName() unless a test gives its own.
    explicit LinkHandoff(QString name = serverName(), QObject* parent = nullptr);
    ~LinkHandoff() override;

    // Starts answering links. A socket left by a game that crashed is taken over; one that a
    // running game still answers is left to it (false).
    bool listen();
    bool listening() const;

    // Hands `link` to the game listening at `name` and waits, at most `timeoutMs`
    // milliseconds, for it to say it took the link. False when no game answered: the caller
    // then starts a game of its own. Blocks; call it before the event loop runs, or off the
    // thread of the game that listens.
    static bool handOver(const QString& name, const QString& link, int timeoutMs = 3000);

    // The per-user place: "trundlex-links" in the runtime folder, or a per-user name in the
    // system's temporary folder where there is no runtime folder.
    static QString serverName();

    // What the running game does with a link: its window comes forward (restored if it was
    // minimised) and, once no dialog of it is open, it goes to "Your name" and the room.
    static void follow(MainFrame& frame, const QString& link);

signals:
    // A link handed over by another start of the program.
    void linkArrived(const QString& link);

private:
    void acceptPending();

    QString name_;
    QLocalServer* server_;
};

}  // namespace trundlex
