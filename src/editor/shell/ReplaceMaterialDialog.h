#pragma once

#include <QDialog>

#include "level/Material.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace trundlex {

// Edit > Replace Material: which material becomes which, and whether only in the selection.
struct MaterialReplacement {
    std::int32_t from = Grass;
    std::int32_t to = Grass;
    bool inSelection = false;
};

// The question of Edit > Replace Material: a "from" and a "to" material, named as the status
// bar names them, and "Only in the selection" (offered only when there is one). OK is enabled
// only while the two materials differ.
class ReplaceMaterialDialog : public QDialog {
    Q_OBJECT

public:
    // Starts from `start`; `selectionAvailable` false greys the selection box and clears it.
    ReplaceMaterialDialog(const MaterialReplacement& start, bool selectionAvailable,
                          QWidget* parent = nullptr);

    MaterialReplacement choice() const;

    QComboBox* fromList() const { return from_; }
    QComboBox* toList() const { return to_; }
    QCheckBox* selectionBox() const { return inSelection_; }
    QPushButton* okButton() const { return ok_; }

private:
    void updateEnabling();

    QComboBox* from_;
    QComboBox* to_;
    QCheckBox* inSelection_;
    QPushButton* ok_;
};

}  // namespace trundlex
