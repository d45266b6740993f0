#include "windows/calculator/machine_window.h"

#include "drawing/fonts.h"
#include "windows/common/twips.h"

#include "windows/calculator/machinebackground.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QTextCursor>
#include <algorithm>

namespace alambix {

namespace {

enum class KeyFont {
    Plain,       // the default key font
    Window,      // the window font
    Digit,       // bold 9.75
    Large,       // 9.75
    Operator,    // bold 12
    Symbol,      // symbol glyphs, 8.25
    SymbolBold,  // symbol glyphs, bold 9.75
    SymbolLarge, // symbol glyphs, bold 12
    Picture,     // text standing for a small picture
};

struct KeyInfo {
    const char* name;
    const char* caption; // UTF-8
    const char* tooltip; // UTF-8
    int left, top, width, height;
    QRgb background; // 0 for the default button colour
    KeyFont font;
};

constexpr QRgb cyanLight = qRgb(128, 255, 255);
constexpr QRgb cyanPale = qRgb(192, 255, 255);
constexpr QRgb teal = qRgb(0, 128, 128);
constexpr QRgb grey = qRgb(192, 192, 192);
constexpr QRgb cream = qRgb(255, 255, 192);
constexpr QRgb peach = qRgb(255, 224, 192);
constexpr QRgb pink = qRgb(255, 128, 128);

const KeyInfo keyTable[] = {
    {"invsin", "INV S&IN", "Inverse sinus", 240, 2880, 840, 360, cyanLight, KeyFont::Plain},
    {"bsin", "&SIN", "Sinus", 1200, 2880, 465, 360, cyanPale, KeyFont::Plain},
    {"Command5", "1/x", "Inverse", 1800, 2880, 375, 375, 0, KeyFont::Plain},
    {"Command1", "M+", "Ajouter à la mémoire", 2280, 2880, 375, 375, 0, KeyFont::Plain},
    {"Command2", "M-", "Soustraire à la mémoire", 2760, 2880, 375, 375, 0, KeyFont::Plain},
    {"Command3", "RM", "Rappel mémoire", 3240, 2880, 495, 375, 0, KeyFont::Plain},
    {"Command4", "CM", "Effacer la mémoire", 3840, 2880, 495, 375, 0, KeyFont::Plain},
    {"invcos", "INV C&OS", "Inverse cosinus", 240, 3360, 840, 360, cyanLight, KeyFont::Plain},
    {"Bcos", "&COS", "Cosinus", 1200, 3360, 480, 360, cyanPale, KeyFont::Plain},
    {"racine", "√", "Racine carrée", 1800, 3360, 345, 360, teal, KeyFont::Symbol},
    {"btcarre", "x²", "", 2280, 3360, 360, 360, grey, KeyFont::Picture},
    {"puissance", "xⁿ", "", 2760, 3360, 360, 360, grey, KeyFont::Picture},
    {"Blog", "&Log", "", 3240, 3360, 465, 360, teal, KeyFont::Plain},
    {"B10x", "10ˣ", "", 3840, 3360, 465, 360, grey, KeyFont::Picture},
    {"Btoncommande3", "INV T&AN", "Inverse tangente", 240, 3840, 825, 360, cyanLight,
     KeyFont::Plain},
    {"Btan", "&TAN", "Tangente", 1200, 3840, 480, 360, cyanPale, KeyFont::Plain},
    {"Bpo", "(", "", 1800, 3840, 360, 360, teal, KeyFont::Window},
    {"bpf", ")", "", 2280, 3840, 360, 360, teal, KeyFont::Window},
    {"pi", "Π", "3.1415927", 2760, 3840, 360, 360, grey, KeyFont::Symbol},
    {"Bln", "l&n", "", 3240, 3840, 480, 360, teal, KeyFont::Plain},
    {"Bexp", "eˣ", "", 3840, 3840, 480, 360, grey, KeyFont::Large},
    {"pico", "p", "pico", 240, 4440, 360, 360, cream, KeyFont::Plain},
    {"tera", "T", "Téra", 720, 4440, 360, 360, cream, KeyFont::Plain},
    {"nano", "n", "nano", 240, 4920, 360, 360, cream, KeyFont::Plain},
    {"giga", "G", "Giga", 720, 4920, 360, 360, cream, KeyFont::Plain},
    {"micro", "µ", "micro", 240, 5400, 360, 360, cream, KeyFont::Plain},
    {"mega", "M", "Méga", 720, 5400, 360, 360, cream, KeyFont::Plain},
    {"mil", "m", "milli", 240, 5880, 360, 360, cream, KeyFont::Plain},
    {"kilo", "k", "kilo", 720, 5880, 360, 360, cream, KeyFont::Plain},
    {"B7", "7", "", 1320, 4440, 480, 360, peach, KeyFont::Digit},
    {"B8", "8", "", 1920, 4440, 480, 360, peach, KeyFont::Digit},
    {"B9", "9", "", 2520, 4440, 480, 360, peach, KeyFont::Digit},
    {"B4", "4", "", 1320, 4920, 480, 360, peach, KeyFont::Digit},
    {"B5", "5", "", 1920, 4920, 480, 360, peach, KeyFont::Digit},
    {"B6", "6", "", 2520, 4920, 480, 360, peach, KeyFont::Digit},
    {"B1", "1", "", 1320, 5400, 480, 360, peach, KeyFont::Digit},
    {"B2", "2", "", 1920, 5400, 480, 360, peach, KeyFont::Digit},
    {"B3", "3", "", 2520, 5400, 480, 360, peach, KeyFont::Digit},
    {"B0", "0", "", 1320, 5880, 480, 360, peach, KeyFont::Digit},
    {"Bpoint", ".", "", 1920, 5880, 480, 360, peach, KeyFont::Digit},
    {"BtoEXP", "EXP", "× 10ˣ", 2520, 5880, 480, 360, cream, KeyFont::Plain},
    {"EFFACE", "←", "Effacer dernier caractère", 3240, 4440, 480, 360, pink, KeyFont::SymbolBold},
    {"RAZ", "AC", "Tout effacer", 3840, 4440, 480, 360, pink, KeyFont::Window},
    {"multip", "x", "", 3240, 4920, 465, 360, teal, KeyFont::Operator},
    {"div", "÷", "", 3840, 4920, 480, 360, teal, KeyFont::SymbolLarge},
    {"plus", "+", "", 3240, 5400, 480, 360, teal, KeyFont::Operator},
    {"moins", "-", "", 3840, 5400, 480, 360, teal, KeyFont::Operator},
    {"ANS", "ANS", "Dernière réponse", 3240, 5880, 480, 360, grey, KeyFont::Plain},
    {"EXE", "EXE", "Calculer", 3840, 5880, 465, 360, grey, KeyFont::Plain},
};

// "MS Sans Serif" maps to Liberation Sans; the glyphs of "Symbol" are Unicode characters that
// DejaVu Sans draws.
QFont keyFont(KeyFont kind) {
    const auto font = [](const char* family, double size, bool bold) {
        QFont f(QString::fromLatin1(family));
        f.setPointSizeF(size);
        f.setBold(bold);
        return f;
    };
    switch (kind) {
    case KeyFont::Plain:
        return font("Liberation Sans", 8.25, false);
    case KeyFont::Window:
        return font("Liberation Sans", 8.25, true);
    case KeyFont::Digit:
        return font("Liberation Sans", 9.75, true);
    case KeyFont::Large:
        return font("DejaVu Sans", 9.75, false);
    case KeyFont::Operator:
        return font("Liberation Sans", 12, true);
    case KeyFont::Symbol:
        return font("DejaVu Sans", 8.25, false);
    case KeyFont::SymbolBold:
        return font("DejaVu Sans", 9.75, true);
    case KeyFont::SymbolLarge:
        return font("DejaVu Sans", 12, true);
    case KeyFont::Picture:
        return font("DejaVu Sans", 8.25, false);
    }
    return {};
}

void setBackground(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Machine::Machine(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setFixedSize(301, 430);
    setFont(windowFont(8.25, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);

    m_z1 = new QPlainTextEdit(this);
    m_z1->setObjectName(QStringLiteral("z1"));
    m_z1->setGeometry(twipsRect(240, 240, 4095, 1335));
    QPalette displayPalette = m_z1->palette();
    displayPalette.setColor(QPalette::Base, Qt::black);
    displayPalette.setColor(QPalette::Text, QColor(0, 255, 0));
    m_z1->setPalette(displayPalette);
    // The display mirrors the typed expression; text reaches it only through the keys.
    m_z1->setReadOnly(true);
    m_z1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_z1->setContextMenuPolicy(Qt::NoContextMenu);
    m_z1->installEventFilter(this);

    buildOptions();
    buildKeys();

    m_keys.setBeep([] { QApplication::beep(); });
    m_keys.setDisplayChanged([this](const QString& text) { showDisplay(text); });
    m_keys.setDisplaySource([this] { return m_z1Text; });
    showDisplay(m_keys.display());
}

void Machine::buildOptions() {
    auto* picture1 = new QWidget(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(twipsRect(240, 1800, 4095, 975));
    setBackground(picture1, QColor(192, 192, 192));

    const auto frame = [picture1](const char* name, const QString& title, QRect geometry) {
        auto* box = new QGroupBox(title, picture1);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(geometry);
        setBackground(box, QColor(192, 192, 192));
        return box;
    };
    const auto option = [this](QGroupBox* box, const QString& name, const QString& caption,
                               QRect geometry, bool checked) {
        auto* button = new QRadioButton(caption, box);
        button->setObjectName(name);
        // The captions need a little more room than their nominal boxes give: the option takes
        // the frame's width, from its own left.
        geometry.setWidth(std::max(geometry.width(), box->width() - geometry.left() - 4));
        button->setGeometry(geometry);
        button->setChecked(checked);
        button->setFocusPolicy(Qt::NoFocus);
        setBackground(button, QColor(192, 192, 192));
        connect(button, &QRadioButton::clicked, this, [this, name] { pressKey(name); });
    };
    QGroupBox* frame2 = frame("Frame2", QStringLiteral("Angles"), twipsRect(120, 0, 1815, 855));
    option(frame2, QStringLiteral("angle1"), QStringLiteral("Radians"),
           twipsRect(120, 240, 885, 240), false);
    option(frame2, QStringLiteral("angle0"), QStringLiteral("Degrés"),
           twipsRect(120, 480, 840, 240), true);
    QGroupBox* frame3 = frame("Frame3", QStringLiteral("Affichage"), twipsRect(2040, 0, 1935, 855));
    option(frame3, QStringLiteral("C0"), QStringLiteral("Scientifique"),
           twipsRect(120, 240, 1125, 240), false);
    option(frame3, QStringLiteral("C1"), QStringLiteral("Standard"), twipsRect(120, 480, 1065, 240),
           true);
}

void Machine::buildKeys() {
    for (const KeyInfo& info : keyTable) {
        auto* key = new QPushButton(QString::fromUtf8(info.caption), this);
        const QString name = QString::fromLatin1(info.name);
        key->setObjectName(name);
        key->setGeometry(twipsRect(info.left, info.top, info.width, info.height));
        key->setToolTip(QString::fromUtf8(info.tooltip));
        key->setFont(keyFont(info.font));
        key->setCursor(Qt::PointingHandCursor);
        // The keyboard always goes to the display, never to a key.
        key->setFocusPolicy(Qt::NoFocus);
        key->setAutoDefault(false);
        if (info.background != 0) setBackground(key, QColor(info.background));
        connect(key, &QPushButton::clicked, this, [this, name] { pressKey(name); });
        key->installEventFilter(this);
    }
}

void Machine::pressKey(const QString& name) {
    m_keys.press(name);
    m_z1->setFocus();
}

void Machine::showDisplay(const QString& text) {
    m_z1Text = text;
    m_z1->setPlainText(text);
    m_z1->moveCursor(QTextCursor::End);
    m_z1->setFocus();
    m_z1->repaint();
}

void Machine::typeKey(QKeyEvent* event) {
    char16_t keyAscii = 0;
    if (event->key() == Qt::Key_Backspace)
        keyAscii = 8;
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        keyAscii = 13;
    // The keypad's decimal key types the decimal point whatever character its layout gives it.
    else if ((event->modifiers() & Qt::KeypadModifier) &&
             (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma))
        keyAscii = u'.';
    else if (event->text().size() == 1)
        keyAscii = event->text().at(0).unicode();
    if (keyAscii != 0) m_keys.typeKey(keyAscii);
    m_z1->setFocus();
}

void Machine::keyPressEvent(QKeyEvent* event) {
    // Every key is the calculator's: Enter evaluates, Escape does not close the window.
    typeKey(event);
    event->accept();
}

bool Machine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_z1 && event->type() == QEvent::KeyPress) {
        typeKey(static_cast<QKeyEvent*>(event));
        return true;
    }
    // An access key presses its key at once: the button's own animated click would come a tenth
    // of a second later, after the keys typed meanwhile.
    if (event->type() == QEvent::Shortcut) {
        if (auto* key = qobject_cast<QPushButton*>(watched)) {
            key->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Machine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintMachineBackground(painter);
}

} // namespace alambix
