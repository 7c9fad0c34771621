#pragma once

#include <QObject>
#include <QTimer>
#include <string>

#include "net/InviteLink.h"
#include "net/NetAddress.h"
#include "net/RoomClient.h"
#include "platform/GuiThreadRelay.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace trundlex {

class GameSettings;

// The part of the new-game wizard's network page for online games: the room host (remembered
// in the settings), the courses it offers (asked for in the background, with Refresh), and
// either "Create room" for the chosen course or "Join room" with a friend's code. Its rows
// join the page's own form, so that their labels and fields line up with the page's.
class OnlinePage : public QObject {
    Q_OBJECT

public:
    // How long the course list may take before the host is given up.
    static constexpr std::chrono::milliseconds ListTimeout{6000};

    // Adds its rows at the end of `form`, the layout of `page`.
    OnlinePage(GameSettings& settings, QFormLayout* form, QWidget* page);
    // Cancels a fetch under way.
    ~OnlinePage() override;

    // Shows or hides the rows (the page is in online mode or not).
    void setRowsVisible(bool visible);
    // Asks the host for its courses again (the Refresh button); what was listed goes.
    void refresh();
    // Fetches the list unless it was fetched from this host already (the page is shown).
    void refreshIfStale();
    bool busy() const { return busy_; }
    // The host and port to connect to; not valid while the field holds no address.
    NetAddress host() const;
    // What to ask the host: Create with the chosen course or Join with the normalised code;
    // Invalid while the page lacks what that needs.
    roomproto::Request request() const;
    // Shows a request made before: a join (a refused one, say) is offered again with its code,
    // so that the player need not type it again.
    void showRequest(const roomproto::Request& request);
    // What is wrong with the code typed (or the link pasted); empty while it is a code or
    // nothing is typed. A room's link (trundlex:// or a room host's web page) pasted into the
    // code field fills the host field and leaves the code alone in the code field.
    QString codeProblem() const;
    // What is wrong with a room link, in this program's language; empty for None and Empty.
    static QString linkProblem(InviteProblem problem);

    // A room host's refusal in this program's language when it is one of the known ones, as
    // the host wrote it otherwise.
    static QString refusalText(const std::string& reason);

    QLineEdit* hostField() const { return host_; }
    QListWidget* courseList() const { return courses_; }
    QLineEdit* codeField() const { return code_; }
    QRadioButton* createChoice() const { return create_; }
    QRadioButton* joinChoice() const { return join_; }
    QPushButton* refreshButton() const { return refresh_; }
    QString statusText() const;
    // The status line shows a problem (in red).
    bool showsProblem() const { return problem_; }

signals:
    // The request or the host changed (the wizard updates its OK button).
    void changed();

private:
    void listed(const CourseListing& listing, const QString& host);
    void showStatus(const QString& text, bool problem);
    void updateChoices();
    // When the code field holds a room's link: puts its host into the host field and its code
    // into the code field, and returns true.
    bool takeLink();
    // The code typed, as normaliseCode reads it; empty when it cannot be one.
    std::string typedCode() const;

    GameSettings& settings_;
    QFormLayout* form_;
    // The rows of `form_` that are this page's.
    int firstRow_ = 0;
    int rowCount_ = 0;
    QLineEdit* host_;
    QLabel* codeHint_;
    QPushButton* refresh_;
    QListWidget* courses_;
    QLabel* status_;
    QRadioButton* create_;
    QRadioButton* join_;
    QLineEdit* code_;
    bool busy_ = false;
    bool problem_ = false;
    // The host whose list is shown (or being fetched).
    QString listedHost_;
    // How long the host field stays unchanged before the new host's list is asked for.
    static constexpr int RefetchPause = 800;
    QTimer refetch_;
    // The fetch hands its listing to the window's thread through the relay.
    CourseFetch fetch_;
    GuiThreadRelay relay_;
};

}  // namespace trundlex
