#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QLineEdit;

namespace vcm::ui {

/// The window system's virtual-key code of a Qt key (Enter 13, Page Up 33, Page Down 34, Up 38, Down 40,
/// letters and digits as their upper-case ASCII codes, ...); 0 for keys without one.
int virtualKeyCode(int qtKey);

/// Gives a text box the key events of the original platform: key down for every key that goes down,
/// then, for a key that types a character, key press with the character code, which the handler may
/// change (a different character is typed instead) or set to 0 (the key is swallowed). The key itself is
/// then handled by the box as usual.
class KeyEventBridge : public QObject {
    Q_OBJECT
  public:
    using KeyDown = std::function<void(int keyCode, int shift)>;
    using KeyPress = std::function<void(std::uint16_t& keyAscii)>;

    KeyEventBridge(QLineEdit* box, KeyDown keyDown, KeyPress keyPress);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    /// The characters of a text that the key-press handler lets through, as it changed them.
    QString filtered(const QString& text);

    QLineEdit* box_;
    KeyDown keyDown_;
    KeyPress keyPress_;
};

}  // namespace vcm::ui
