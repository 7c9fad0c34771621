#pragma once

#include <QWidget>

#include "control/NetEventBridge.h"
#include "platform/BlockingHandoff.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace trundlex {

class NetGame;
struct NetEventData;

// One-line chat between the computers of a network game: the conversation, a line to write
// and the sender's name, which is this computer's players' and cannot be changed here. Shows "New game" banners when a connection is made and notes when a
// computer leaves; nothing can be sent once the game has ended.
class ChatBox : public QWidget {
    Q_OBJECT

public:
    // Registers itself as a listener of `net`, which must outlive it.
    ChatBox(NetGame& net, QWidget* parent = nullptr);
    ~ChatBox() override;

    // Appends one line: "name> text", or the text alone without a name.
    void appendLine(const QString& name, const QString& text);
    void setName(const QString& name);
    // Sends what is written (as the Send button does); false when nothing could be sent.
    bool send();

    QString history() const;
    QLineEdit* messageEdit() const { return message_; }
    QString name() const { return name_; }
    QPushButton* sendButton() const { return send_; }

    // Stops listening to the network and lets a delivery in progress return; afterwards the
    // network object may go before the chat box does.
    void detach();

    // What the network tells the chat box; runs on the box's thread.
    void handleNetEvent(NetEvent event);

protected:
    // Keeps the box inside its parent, so the Send button never falls off a narrow window.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setInputEnabled(bool enabled);
    void fitIntoParent();
    void showName();
    // The note on a computer that left, naming the players the computer plays from now on.
    static QString disconnectLine(const NetEventData& data);

    NetGame* net_;
    QPlainTextEdit* history_;
    QLineEdit* message_;
    QLabel* sender_;
    QString name_;
    // The width the box was given, which it keeps to whenever its parent has room for it.
    int wantedWidth_ = 0;
    // The width the box last took to fit, which is not a wish of the layout's.
    int fittedWidth_ = -1;
    bool fitting_ = false;
    QPushButton* send_;
    BlockingHandoff handoff_{this};
    NetEventBridge bridge_;
};

}  // namespace trundlex
