#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "DialogPrompts.h"

namespace trundlex::testing {
namespace {

// Runs `answer` on the first message box shown while `ask` runs, and closes any box still open
// after five seconds, so that a box that is never found fails the test instead of hanging it.
template <typename Ask>
auto answerMessageBox(const std::function<void(QMessageBox&)>& answer, Ask ask) {
    const QDeadlineTimer deadline(5000);
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                if (!answered) {
                    answered = true;
                    answer(*box);
                } else if (deadline.hasExpired()) {
                    box->reject();
                }
            }
        }
    });
    poll.start(10);
    auto result = ask();
    EXPECT_TRUE(answered) << "no message box was shown";
    return result;
}

// A save that would replace a file's level by a lesser one must not happen at a slip of the
// Enter key: the box is a warning and its default button is Cancel.
TEST(DialogPrompts, TheReplaceWarningDefaultsToCancel) {
    DialogPrompts prompts;
    const QString losses = QStringLiteral("The level in the file has a cup.");
    QString text;
    bool cancelIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const bool saved = answerMessageBox(
        [&](QMessageBox& box) {
            text = box.text();
            icon = box.icon();
            cancelIsDefault = box.defaultButton() == box.button(QMessageBox::Cancel);
            QTest::keyClick(&box, Qt::Key_Return);
        },
        [&] { return prompts.replaceDespite(QStringLiteral("pond.lev"), losses); });
    EXPECT_FALSE(saved) << "Enter saved over the file";
    EXPECT_TRUE(cancelIsDefault);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_TRUE(text.contains(QStringLiteral("pond.lev"))) << text.toStdString();
    EXPECT_TRUE(text.contains(losses)) << text.toStdString();

    const bool overridden = answerMessageBox(
        [](QMessageBox& box) { box.button(QMessageBox::Save)->click(); },
        [&] { return prompts.replaceDespite(QStringLiteral("pond.lev"), losses); });
    EXPECT_TRUE(overridden) << "Save is still there to choose";
}

}  // namespace
}  // namespace trundlex::testing
