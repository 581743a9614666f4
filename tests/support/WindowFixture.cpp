#include "WindowFixture.h"

#include <QTest>

namespace vcm::test {
namespace {

WindowOptions titledAsTheProgramTitles(WindowOptions options, const adapter::AdapterSetup& adapter) {
    options.simulatedBoard = adapter.library().isSimulatedBoard();
    return options;
}

}  // namespace

WindowFixture::WindowFixture(adapter::AdapterLibrary& adapter, const WindowOptions& options) {
    app::FrmMainSetup setup;
    setup.adapter = &adapter;
    setup.messages = options.realBoxes ? nullptr : &messages;
    setup.pauses = &pauses;
    setup.locale = options.locale;
    setup.simulatedBoard = options.simulatedBoard;
    window = std::make_unique<app::FrmMain>(setup);
}

WindowFixture::WindowFixture(const adapter::AdapterSetup& adapter, const WindowOptions& options)
    : WindowFixture(adapter.library(), titledAsTheProgramTitles(options, adapter)) {}

bool WindowFixture::show() {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}

void WindowFixture::click(const QString& name) const {
    QTest::mouseClick(get(name), Qt::LeftButton);
}

void WindowFixture::key(Qt::Key k, Qt::KeyboardModifiers modifiers) const {
    QTest::keyClick(window->windowHandle(), k, modifiers);
}

void WindowFixture::type(const QString& chars) const {
    for (const QChar c : chars) {
        QTest::keyClick(window->windowHandle(), c.toLatin1());
    }
}

void WindowFixture::typeValue(const QString& chars) const {
    auto* box = get<QLineEdit>(QStringLiteral("txtTest(0)"));
    box->setFocus();
    box->selectAll();
    type(chars);
}

}  // namespace vcm::test
