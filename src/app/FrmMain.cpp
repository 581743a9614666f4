#include "app/FrmMain.h"

#include "adapter/core/ConnectionSequence.h"
#include "app/ControlInventory.h"
#include "app/OperatingNotes.h"
#include "calculator/CalculatorPanel.h"
#include "dcp/DisplayModeSwitch.h"
#include "dcp/LocaleNumber.h"
#include "dcp/RegisterAccess.h"
#include "dcp/ValueEntry.h"
#include "ui/CaptionButton.h"
#include "ui/FocusLeaveWatcher.h"
#include "ui/KeyEventBridge.h"
#include "ui/LineControl.h"
#include "ui/Pictures.h"
#include "ui/QtMessageBox.h"
#include "ui/Twips.h"
#include "ui/VbScrollBar.h"
#include "ui/WheelCapture.h"
#include "ui/WindowFont.h"
#include "ui/icon/AppIcon.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

namespace vcm::app {
namespace {

constexpr ui::VbColor kAdapterFoundColour = 0x80FF80;    // light green
constexpr ui::VbColor kAdapterMissingColour = 0x8080FF;  // light red
constexpr int kClientWidthTwips = 12405;
constexpr int kClientHeightTwips = 4365;
constexpr ui::VbColor kPointerLineColour = 0x00C00000;  // blue, so the pointer stands apart from the scale

ui::MessageBoxService& chooseMessages(ui::MessageBoxService* given,
                                      std::unique_ptr<ui::MessageBoxService>& own, QWidget* window) {
    if (given != nullptr) {
        return *given;
    }
    own = std::make_unique<ui::QtMessageBox>(window);
    return *own;
}

}  // namespace

FrmMain::FrmMain(const FrmMainSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      adapter_(*setup.adapter),
      messages_(chooseMessages(setup.messages, ownMessages_, this)),
      pauses_(*setup.pauses),
      locale_(setup.locale) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(caption) +
                   (setup.simulatedBoard ? QString::fromLatin1(simulatedSuffix) : QString()));
    setWindowIcon(ui::applicationIcon());
    buildWindow();
    wireEvents();
    Form_Load();
}

FrmMain::~FrmMain() {
    Form_Unload();
}

template <class T>
T* FrmMain::find(const char* name) const {
    return qobject_cast<T*>(controls_.value(QString::fromLatin1(name)));
}

void FrmMain::buildWindow() {
    // Arial (Liberation Sans where it is missing) keeps the captions inside the sizes the layout gives them.
    setFont(ui::windowFont());

    auto* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    mnuExit_ = fileMenu->addAction(QStringLiteral("E&xit"));
    mnuExit_->setObjectName(QStringLiteral("mnuExit"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ui::twipsToPixels(kClientWidthTwips), ui::twipsToPixels(kClientHeightTwips));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    const auto entries = mainWindowControls();
    controls_ = buildControls(client, entries);
    applyTabOrder(controls_, entries);
    nameInputsAfterTheirLabels(controls_);

    QWidget* calculatorFrame = controls_.value(QStringLiteral("fraCalculator"));
    new ui::LineControl(calculatorFrame, 3240, 840, 3720, 840, 3, ui::kVbWindowText);
    new ui::LineControl(calculatorFrame, 3480, 840, 3480, 2760, 3, ui::kVbWindowText);
    new ui::LineControl(calculatorFrame, 3240, 2760, 3720, 2760, 3, ui::kVbWindowText);
    auto* line4 = new ui::LineControl(calculatorFrame, 3120, 840, 3480, 840, 5, kPointerLineColour);
    line4->setObjectName(QStringLiteral("Line4"));
    controls_.insert(line4->objectName(), line4);

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(500);

    auto* scrollBar = find<ui::VbScrollBar>("vscTest(0)");
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(16);

    dcp_.txtTest = find<QLineEdit>("txtTest(0)");
    dcp_.vscTest = scrollBar;
    dcp_.LabelEnterReminder = find<QLabel>("LabelEnterReminder");
    dcp_.cmdWrite = find<ui::CaptionButton>("cmdWrite");
    dcp_.cmdRead = find<ui::CaptionButton>("cmdRead");
    dcp_.Timer1 = timer;
    dcp_.opDisplayModeHex = find<QRadioButton>("opDisplayMode(0)");
    dcp_.opDisplayModeDec = find<QRadioButton>("opDisplayMode(1)");
    dcp_.txtDVR = find<QLineEdit>("txtDVR");
    dcp_.lblDVR = find<QLabel>("lblDVR");
    dcp_.lblDVR2 = find<QLabel>("lblDVR2");

    calc_.txtAVDD = find<QLineEdit>("txtAVDD");
    calc_.txtRSET = find<QLineEdit>("txtRSET");
    calc_.txtR1 = find<QLineEdit>("txtR1");
    calc_.txtR2 = find<QLineEdit>("txtR2");
    calc_.txtVoutMax = find<QLineEdit>("txtVoutMax");
    calc_.txtVOutMin = find<QLineEdit>("txtVOutMin");
    calc_.txtIOUT = find<QLineEdit>("txtIOUT");
    calc_.txtVRSET = find<QLineEdit>("txtVRSET");
    calc_.txtVOUT = find<QLineEdit>("txtVOUT");
    calc_.txtDVR = dcp_.txtDVR;
    calc_.lblDVR2 = dcp_.lblDVR2;
    calc_.lblVCOM = find<QLabel>("lblVCOM");
    calc_.Line4 = line4;
    calc_.cmdCalculate = find<QPushButton>("cmdCalculate");
    calc_.txtTest = dcp_.txtTest;

    cmdConnect_ = find<ui::CaptionButton>("cmdConnect");
}

void FrmMain::wireEvents() {
    calculator_ = std::make_unique<calc::CalculatorPanel>(calc_, globals_, messages_, locale_);
    const auto updateRange = [this] { calculator_->updateRangeFromResistors(); };
    registers_ = std::make_unique<dcp::RegisterAccess>(dcp_, globals_, adapter_, messages_, pauses_,
                                                       updateRange, locale_);
    valueEntry_ =
        std::make_unique<dcp::ValueEntry>(dcp_, globals_, *registers_, pauses_, updateRange, locale_);
    displayMode_ = std::make_unique<dcp::DisplayModeSwitch>(dcp_, globals_);
    focusWatcher_ = new ui::FocusLeaveWatcher(this);
    wheelCapture_ = new ui::WheelCapture(this);

    calculator_->attach(*focusWatcher_);
    focusWatcher_->watch(dcp_.txtTest, [this] { valueEntry_->txtTest_LostFocus(0); });
    new ui::KeyEventBridge(
        dcp_.txtTest, [this](int keyCode, int shift) { valueEntry_->txtTest_KeyDown(0, keyCode, shift); },
        [this](std::uint16_t& keyAscii) { valueEntry_->txtTest_KeyPress(0, keyAscii); });
    connect(dcp_.txtTest, &QLineEdit::textChanged, this, [this] { valueEntry_->txtTest_Change(0); });
    connect(dcp_.vscTest, &ui::VbScrollBar::changed, this, [this] { valueEntry_->vscTest_Change(0); });
    connect(dcp_.cmdRead, &QPushButton::clicked, this, [this] { registers_->cmdRead_Click(); });
    connect(dcp_.cmdWrite, &QPushButton::clicked, this, [this] { registers_->cmdWrite_Click(); });
    connect(dcp_.Timer1, &QTimer::timeout, this, [this] { registers_->Timer1_Timer(); });
    // Only the option that becomes selected reports; clicking the selected one changes nothing.
    connect(dcp_.opDisplayModeHex, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            displayMode_->opDisplayMode_Click(0);
    });
    connect(dcp_.opDisplayModeDec, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            displayMode_->opDisplayMode_Click(1);
    });
    connect(cmdConnect_, &QPushButton::clicked, this, &FrmMain::cmdConnect_Click);
    connect(find<QPushButton>("btnHelp"), &QPushButton::clicked, this, &FrmMain::btnHelp_Click);
    connect(mnuExit_, &QAction::triggered, this, &FrmMain::mnuExit_Click);
}

void FrmMain::Form_Load() {
    const std::int16_t connected = adapter::beginConnection(adapter_, globals_.selectedModule);
    globals_.sendOnSliderChange = dcp::kVbTrue;
    colourConnectButton(adapter::finishConnection(adapter_, connected, globals_.selectedModule));
    globals_.displayHex = dcp::kVbTrue;
    wheelCapture_->hook(this, [this](std::int32_t distance) { MouseWheelRolled(distance); });
    valueEntry_->initValueBox();
    calculator_->updateRangeFromResistors();
}

void FrmMain::Form_Unload() {
    if (!unloaded_) {
        unloaded_ = true;
        wheelCapture_->unhook();
    }
}

void FrmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrmMain::colourConnectButton(bool found) {
    cmdConnect_->setBackColor(found ? kAdapterFoundColour : kAdapterMissingColour);
    cmdConnect_->setText(QStringLiteral("CONNECT"));
}

void FrmMain::cmdConnect_Click() {
    const std::int16_t connected = adapter::beginConnection(adapter_, globals_.selectedModule);
    colourConnectButton(adapter::finishConnection(adapter_, connected, globals_.selectedModule));
}

void FrmMain::btnHelp_Click() {
    messages_.show(operatingNotesText(), ui::kStyleOkOnly, QString());
}

void FrmMain::mnuExit_Click() {
    close();
}

dcp::VbBoolean FrmMain::numberIsNotValid(const QString& text) const {
    return dcp::isNotLocaleNumber(text, locale_) ? dcp::kVbTrue : dcp::kVbFalse;
}

void FrmMain::MouseWheelRolled(std::int32_t rotation) {
    valueEntry_->MouseWheelRolled(rotation);
}

bool FrmMain::wheelCaptureInstalled() const {
    return wheelCapture_->isHooked();
}

}  // namespace vcm::app
