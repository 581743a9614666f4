#pragma once

#include <QWidget>

namespace vcm {

/// The output divider around the chip, drawn as vectors: AVDD feeding R1, R1 and R2 in series to ground,
/// their junction to the POS pin with the current ISET drawn into it, the DCP inside the block setting the
/// RSET pin over RSET to ground, and the amplifier's OUT (VCOM) fed back to NEG.
class SchematicPicture : public QWidget {
    Q_OBJECT
  public:
    explicit SchematicPicture(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

/// The maker's logo: a word mark with a small emblem.
class LogoPicture : public QWidget {
    Q_OBJECT
  public:
    explicit LogoPicture(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vcm
