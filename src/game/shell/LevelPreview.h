#pragma once

#include <QWidget>

#include "level/Level.h"
#include "render/BlockRenderer.h"
#include "render/Look.h"
#include "render/ModernRenderer.h"

namespace trundlex {

// Shows one level as large as fits, centred; nothing until a level is set.
class LevelPreview : public QWidget {
public:
    explicit LevelPreview(QWidget* parent = nullptr);
    void setLevel(const Level& level);
    void clearLevel();
    // Drawn as the playfield is (classic until set).
    void setLook(Look look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Level level_;
    bool hasLevel_ = false;
    BlockRenderer renderer_;
    ModernRenderer modern_;
    Look look_ = Look::Classic;
};

}  // namespace trundlex
