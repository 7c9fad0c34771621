#pragma once

#include <QWidget>

#include "control/NetEventBridge.h"
#include "platform/BlockingHandoff.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace trundlex {

class NetGame;

// One-line chat between the computers of a network game: the conversation, a line to write
// and the sender's name. Shows "New game" banners when a connection is made and notes when a
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
    QLineEdit* nameEdit() const { return name_; }
    QPushButton* sendButton() const { return send_; }

    // Stops listening to the network and lets a delivery in progress return; afterwards the
    // network object may go before the chat box does.
    void detach();

    // What the network tells the chat box; runs on the box's thread.
    void handleNetEvent(NetEvent event);

private:
    void setInputEnabled(bool enabled);

    NetGame* net_;
    QPlainTextEdit* history_;
    QLineEdit* message_;
    QLineEdit* name_;
    QPushButton* send_;
    BlockingHandoff handoff_{this};
    NetEventBridge bridge_;
};

}  // namespace trundlex
