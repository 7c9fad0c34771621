#include "LevelsViewerDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "LevelPreview.h"
#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "platform/PlatformSupport.h"
#include "solver/Par.h"

namespace trundlex {

LevelsViewerDialog::LevelsViewerDialog(const Match& match, const LevelLibrary& levels,
                                       const ParCache* pars, QWidget* parent)
    : QDialog(parent), match_(match), levels_(levels) {
    setWindowTitle(tr("Levels"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    QStringList headers{tr("No."), tr("Name"), tr("Creator")};
    if (pars != nullptr) {
        headers << tr("Par");
    }
    list_->setHeaderLabels(headers);
    list_->setColumnWidth(0, 40);
    list_->setColumnWidth(1, 140);
    preview_ = new LevelPreview(this);
    preview_->setMinimumSize(320, 220);
    auto* box = new QGroupBox(tr("Preview"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(preview_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(box, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    for (int i = 0; i < match_.LevelCount(); ++i) {
        const int index = levels_.findById(match_.GetLevelId(i));
        // A hole whose level is gone is listed without a name and has no preview.
        const QString name = index >= 0 ? toDisplayText(levels_.at(index).name()) : QString();
        const QString creator = index >= 0 ? toDisplayText(levels_.at(index).creator()) : QString();
        QStringList cells{QString::number(i + 1), name, creator};
        if (pars != nullptr) {
            // Pars are worked out while the game goes on; one not known yet shows as such.
            const std::optional<int> par =
                index >= 0 ? pars->lookup(levels_.at(index)) : std::optional<int>();
            cells << (!par ? tr("not yet known") : *par > 0 ? QString::number(*par)
                                                           : QStringLiteral("\u2013"));
        }
        list_->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        selectRow(item != nullptr ? list_->indexOfTopLevelItem(item) : -1);
    });
}

void LevelsViewerDialog::selectRow(int row) {
    Level level;
    if (row >= 0 && match_.LoadLevel(row, levels_, level) == LevelLoadResult::Loaded) {
        preview_->setLevel(level);
    } else {
        preview_->clearLevel();
    }
}

QStringList LevelsViewerDialog::rows() const {
    QStringList texts;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < list_->columnCount(); ++c) {
            cells << item->text(c);
        }
        texts << cells.join(QLatin1Char('\t'));
    }
    return texts;
}

}  // namespace trundlex
