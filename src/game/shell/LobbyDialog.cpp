#include "LobbyDialog.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "net/NetAddress.h"
#include "net/NetGame.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

LobbyDialog::LobbyDialog(NetGame& net, QWidget* parent)
    : QDialog(parent), net_(net), relay_(this) {
    setWindowTitle(tr("Network game"));
    status_ = new QLabel(tr("Waiting for connection..."), this);
    counts_ = new QLabel(this);
    computers_ = new QTreeWidget(this);
    computers_->setRootIsDecorated(false);
    computers_->setHeaderLabels({tr("Computer"), tr("Player"), tr("Status")});
    computers_->setColumnWidth(0, 110);
    computers_->setColumnWidth(1, 120);
    players_ = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(this);
    start_ = buttons->addButton(tr("&Start game"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(counts_);
    layout->addWidget(computers_);
    layout->addWidget(new QLabel(tr("Player"), this));
    layout->addWidget(players_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    connect(start_, &QPushButton::clicked, this, [this] { net_.startHandshake(); });
    connect(cancel_, &QPushButton::clicked, this, &LobbyDialog::reject);
}

LobbyDialog::~LobbyDialog() {
    net_.detachLobby();
    relay_.close();
}

bool LobbyDialog::runServer(std::uint16_t port) {
    server_ = true;
    start_->setVisible(true);
    start_->setEnabled(false);
    if (!net_.startServer(port, this)) {
        return false;
    }
    // Alone, a server may start as soon as it has a player; clients it waits for.
    start_->setEnabled(net_.lobbySnapshot().playerCount > 0);
    refresh();
    runModal();
    return closedByNetwork_;
}

bool LobbyDialog::runClient(const std::string& address, std::uint16_t port) {
    server_ = false;
    start_->setVisible(false);
    computers_->setVisible(false);
    counts_->setVisible(false);
    status_->setText(tr("Connecting to %1...").arg(toDisplayText(address)));
    // The address may name its own port ("host:port", "[::1]:49732"); an unreadable one is
    // passed on as it is and fails to connect.
    const NetAddress server = NetAddress::parse(address, port);
    if (!net_.startClient(server.valid() ? server.host : address,
                          server.valid() ? server.port : port, this)) {
        return false;
    }
    runModal();
    return closedByNetwork_;
}

QString LobbyDialog::statusLine(const LobbyStatus& status) {
    switch (status.text) {
        case LobbyText::CantStartServer:
            return tr("Can't start the server.");
        case LobbyText::CouldntConnect:
            return tr("Couldn't connect.");
        case LobbyText::ConnectionOpen:
            return tr("Connection open!");
        case LobbyText::TransferLevels:
            return tr("Transferring levels... (%1)").arg(status.count);
        case LobbyText::WaitingForStart:
            return tr("Waiting for the start message.");
        case LobbyText::ClientDisconnected:
            return tr("%1 disconnected.").arg(toDisplayText(status.first));
        case LobbyText::ConnectionInterrupted:
            return tr("The connection to the server was interrupted.");
        case LobbyText::IllegalVersion:
            return tr("Incompatible server version (server: %1, this version: %2).")
                .arg(toDisplayText(status.first), toDisplayText(status.second));
    }
    return QString::fromStdString(status.english());
}

void LobbyDialog::onLobbyStatus(const LobbyStatus& status) {
    const QString text = statusLine(status);
    relay_.post([this, text] { status_->setText(text); });
}

void LobbyDialog::onLobbyStartEnabled(bool enabled) {
    relay_.post([this, enabled] { start_->setEnabled(enabled); });
}

void LobbyDialog::onLobbyChanged() {
    relay_.post([this] { refresh(); });
}

void LobbyDialog::onLobbyClosedByNetwork() {
    relay_.post([this] {
        closedByNetwork_ = true;
        accept();
    });
}

void LobbyDialog::runModal() {
    finished_ = false;
    setWindowModality(Qt::ApplicationModal);
    show();
    if (!finished_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
    }
}

void LobbyDialog::done(int result) {
    QDialog::done(result);
    finished_ = true;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

void LobbyDialog::reject() {
    // Leaving the lobby ends the network game, unless the game is already starting.
    if (!closedByNetwork_) {
        net_.endGame();
    }
    QDialog::reject();
}

void LobbyDialog::refresh() {
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    counts_->setText(tr("%n computer(s) connected", nullptr, snapshot.connectionCount) +
                     QStringLiteral(", ") + tr("%n player(s).", nullptr, snapshot.playerCount));
    players_->clear();
    for (const LobbyPlayer& player : snapshot.players) {
        players_->addItem(toDisplayText(player.name) +
                          (player.local ? QStringLiteral(" *") : QString()));
    }
    computers_->clear();
    computers_->addTopLevelItem(new QTreeWidgetItem(
        {tr("This computer"), toDisplayText(snapshot.localNames), tr("Ready")}));
    for (const LobbyComputer& computer : snapshot.computers) {
        QString status;
        switch (computer.status) {
            case ComputerStatus::Initializing:
                status = tr("Preparing the game...");
                break;
            case ComputerStatus::TransferLevel:
                status = tr("Transferring level \"%1\"...").arg(toDisplayText(computer.levelName));
                break;
            case ComputerStatus::Ready:
                status = tr("Ready");
                break;
            case ComputerStatus::None:
                break;
        }
        computers_->addTopLevelItem(new QTreeWidgetItem(
            {toDisplayText(computer.address), toDisplayText(computer.playerNames), status}));
    }
}

QString LobbyDialog::statusText() const { return status_->text(); }

QStringList LobbyDialog::playerRows() const {
    QStringList rows;
    for (int i = 0; i < players_->count(); ++i) {
        rows << players_->item(i)->text();
    }
    return rows;
}

QStringList LobbyDialog::computerRows() const {
    QStringList rows;
    for (int i = 0; i < computers_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = computers_->topLevelItem(i);
        rows << item->text(0) + QLatin1Char('\t') + item->text(1) + QLatin1Char('\t') +
                    item->text(2);
    }
    return rows;
}

}  // namespace trundlex
