#include <gtest/gtest.h>

#include <QSpinBox>
#include <QTest>

#include "EditorShellFixture.h"

namespace trundlex::testing {
namespace {

// Types `text` into a size field and presses OK; true when the dialog closed with OK.
bool okWith(QuietDialog& dialog, QSpinBox* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
    dialog.accept();
    return dialog.result() == QDialog::Accepted;
}

TEST(LevelPropertiesDialog, SizesBelowTwoAreRefusedAndNoneAboveTheRangeCanBeTyped) {
    for (const char* size : {"1", "0"}) {
        QuietDialog dialog(LevelProperties{});
        EXPECT_FALSE(okWith(dialog, dialog.widthEdit(), QString::fromLatin1(size))) << size;
        ASSERT_EQ(dialog.refusals.size(), 1) << size;
        EXPECT_EQ(dialog.refusals.front(),
                  QStringLiteral("Please enter an integer between 2 and 500."));
    }
    QuietDialog dialog(LevelProperties{QStringLiteral("Ann"), QStringLiteral("Pond"), 5, 6});
    dialog.widthEdit()->selectAll();
    QTest::keyClicks(dialog.widthEdit(), QStringLiteral("2"));
    EXPECT_TRUE(okWith(dialog, dialog.heightEdit(), QStringLiteral("5009")));
    const LevelProperties values = dialog.values();
    EXPECT_EQ(std::pair(values.width, values.height), std::pair(2, 500));
    EXPECT_EQ(values.creator + values.name, QStringLiteral("AnnPond"));
}

}  // namespace
}  // namespace trundlex::testing
