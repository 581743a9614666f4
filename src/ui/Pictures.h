#pragma once

#include <QWidget>

namespace vcm::ui {

/// The output divider around the chip (dividerSchematic), drawn as vectors in the widget's font.
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

}  // namespace vcm::ui
