#include "main_window.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include <cstddef>
#include <exception>
#include <optional>

#include "application_title.h"
#include "core/engine_error.h"
#include "info_dialog.h"
#include "version.h"

namespace {

constexpr char kCaptionName[] = "Kelvo-Reductor v";
// The blanks after the version: where the maker's web address would follow.
constexpr int kCaptionBlanks = 12;
constexpr char kLabel1Text[] = "Fichero  TXT a Reducir: ";
constexpr char kLabel2Text[] = "Fichero Reducido: ";
constexpr char kSpeedButton1Text[] = "Abri fichero";
constexpr char kSpeedButton2Text[] = "Abrir Fichero";
constexpr char kButton1Text[] = "REDUCIR";
// The one file type both file dialogs offer; they match it in any letter case.
constexpr char kTextFilesFilter[] = "Text files (*.txt)";
constexpr char kNotice[] =
    "RECUERDA, esta version solo puede reducir\n"
    "combinaciones de menos de 7000 columnas\n"
    "y las reducciones son al 13.\n"
    "\n"
    "Saludos.\n"
    "Uvar";

// The layout as designed: pixels at 96 dpi for a window font with a 13 px line height.
struct TDesignRect {
    int Left;
    int Top;
    int Width;
    int Height;
};
constexpr TDesignRect kForm1Rect{192, 107, 544, 375};  // screen position and outer size
constexpr TDesignRect kLabel1Rect{40, 16, 117, 13};
constexpr TDesignRect kLabel2Rect{40, 40, 90, 13};
constexpr TDesignRect kEdit1Rect{168, 16, 185, 21};
constexpr TDesignRect kEdit2Rect{168, 40, 185, 21};
constexpr TDesignRect kSpeedButton1Rect{360, 16, 73, 17};
constexpr TDesignRect kSpeedButton2Rect{360, 40, 73, 17};
constexpr TDesignRect kButton1Rect{40, 96, 193, 49};
constexpr TDesignRect kMemo1Rect{40, 168, 465, 169};
constexpr TDesignRect kMemo2Rect{248, 72, 257, 89};
// The frame the outer size was designed with (4 px borders, 19 px title bar). The window system's
// real frame is known only once the window is mapped, so the client area is sized from this one.
constexpr int kDesignFrameWidth = 8;
constexpr int kDesignFrameHeight = 27;
constexpr int kDesignLineHeight = 13;
constexpr int kFontPoints = 8;
// An edit box is its font's line height plus room for its sunken border, whatever its design says.
constexpr int kEditPadding = 8;
// The platform edit control keeps the text close to its border; Qt's default margin of 4 px would
// cost the notice its last line.
constexpr int kMemoMargin = 2;

// Scales the design to the window font: down by its line height, across by how much wider it sets
// the two labels, whose designed widths are exactly their texts' widths in the designed font. The
// screen's dpi is in both, since the font is sized in points.
class TLayoutScale {
public:
    explicit TLayoutScale(const QFont& windowFont) {
        const QFontMetrics metrics(windowFont);
        down_ = static_cast<double>(metrics.height()) / kDesignLineHeight;
        across_ = static_cast<double>(metrics.horizontalAdvance(QString::fromLatin1(kLabel1Text)) +
                                      metrics.horizontalAdvance(QString::fromLatin1(kLabel2Text))) /
                  (kLabel1Rect.Width + kLabel2Rect.Width);
    }

    int Across(int pixels) const { return qRound(pixels * across_); }
    int Down(int pixels) const { return qRound(pixels * down_); }
    QPoint Position(const TDesignRect& rect) const { return {Across(rect.Left), Down(rect.Top)}; }
    QRect Rect(const TDesignRect& rect) const {
        return {Position(rect), QSize(Across(rect.Width), Down(rect.Height))};
    }

private:
    double across_ = 1;
    double down_ = 1;
};

// "MS Sans Serif" of the design is the desktop's own interface font.
QFont SansSerifFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(kFontPoints);
    return font;
}

QFont TahomaFont() {
    const QString tahoma = QStringLiteral("Tahoma");
    if (!QFontDatabase::hasFamily(tahoma)) {
        return SansSerifFont();
    }
    return QFont(tahoma, kFontPoints);
}

// A speed button whose caption, while it is disabled, is engraved in grey: drawn in the light
// colour one pixel down and to the right, then in the shadow colour, as classic desktops draw
// disabled captions; the style's own disabled caption is flat grey.
class TSpeedButton final : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (isEnabled()) {
            QToolButton::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawComplexControl(QStyle::CC_ToolButton, option);
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rect().translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(rect(), flags, text());
    }
};

// A memo whose text area stops a pixel short of its frame's right edge, the pixel filled in the
// text area's colour. At a fractional scale (1.5 for 144 dpi) the text area's size is rounded
// outward and would otherwise paint over that edge.
class TMemo final : public QPlainTextEdit {
public:
    explicit TMemo(QWidget* parent) : QPlainTextEdit(parent) { setViewportMargins(0, 0, 1, 0); }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QRect text = viewport()->geometry();
            QPainter painter(this);
            painter.fillRect(QRect(text.right() + 1, text.top(), 1, text.height()),
                             palette().color(QPalette::Base));
        }
        return QPlainTextEdit::event(event);
    }
};

std::string EnginePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

TForm1::TForm1() : TForm1(std::make_unique<TFileDialog>(), std::make_unique<TFileDialog>()) {}

TForm1::TForm1(std::unique_ptr<TFileDialog> openDialog, std::unique_ptr<TFileDialog> saveDialog,
               std::unique_ptr<TMessageBox> messageBox)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      OpenDialog1(std::move(openDialog)),
      SaveDialog1(std::move(saveDialog)),
      MessageBox1(messageBox ? std::move(messageBox) : std::make_unique<TMessageBox>()),
      title_(ApplicationTitle(QCoreApplication::applicationFilePath())) {
    setObjectName(QStringLiteral("Form1"));
    BuildControls();
    FormCreate();
    // The focus starts in the first control of the tab order that can take it: the log, since
    // Button1 starts disabled.
    for (QWidget* control : TabOrder()) {
        if (control->isEnabled()) {
            control->setFocus();
            break;
        }
    }
}

TForm1::~TForm1() = default;

void TForm1::BuildControls() {
    setWindowTitle(QString::fromLatin1(kCaptionName) +
                   QString::fromLatin1(kVersion.data(), static_cast<qsizetype>(kVersion.size())) +
                   QString(kCaptionBlanks, u' '));
    setFont(SansSerifFont());
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    const TLayoutScale scale(font());
    const int editHeight = QFontMetrics(font()).height() + kEditPadding;

    auto makeLabel = [this, &scale](const char* name, const char* text, const TDesignRect& rect) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QString::fromLatin1(name));
        label->move(scale.Position(rect));
        label->resize(label->sizeHint());
        return label;
    };
    Label1 = makeLabel("Label1", kLabel1Text, kLabel1Rect);
    Label2 = makeLabel("Label2", kLabel2Text, kLabel2Rect);

    auto makeEdit = [this, &scale, editHeight](const char* name, const TDesignRect& rect) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(QRect(scale.Position(rect), QSize(scale.Across(rect.Width), editHeight)));
        return edit;
    };
    Edit1 = makeEdit("Edit1", kEdit1Rect);
    Edit2 = makeEdit("Edit2", kEdit2Rect);

    auto makeSpeedButton = [this, &scale](const char* name, const char* text,
                                          const TDesignRect& rect, const QFont& buttonFont) {
        auto* button = new TSpeedButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromLatin1(text));
        button->setFont(buttonFont);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        button->setGeometry(scale.Rect(rect));
        return button;
    };
    SpeedButton1 =
        makeSpeedButton("SpeedButton1", kSpeedButton1Text, kSpeedButton1Rect, SansSerifFont());
    SpeedButton2 =
        makeSpeedButton("SpeedButton2", kSpeedButton2Text, kSpeedButton2Rect, TahomaFont());
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);

    Button1 = new QPushButton(QString::fromLatin1(kButton1Text), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(scale.Rect(kButton1Rect));
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    auto makeMemo = [this, &scale](const char* name, const TDesignRect& rect) {
        auto* memo = new TMemo(this);
        memo->setObjectName(QString::fromLatin1(name));
        memo->setGeometry(scale.Rect(rect));
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setTabChangesFocus(true);
        memo->document()->setDocumentMargin(kMemoMargin);
        return memo;
    };
    Memo1 = makeMemo("Memo1", kMemo1Rect);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette logPalette = Memo1->palette();
    logPalette.setColor(QPalette::Base, logPalette.color(QPalette::ToolTipBase));
    logPalette.setColor(QPalette::Text, logPalette.color(QPalette::ToolTipText));
    Memo1->setPalette(logPalette);

    Memo2 = makeMemo("Memo2", kMemo2Rect);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont noticeFont = TahomaFont();
    noticeFont.setBold(true);
    Memo2->setFont(noticeFont);
    Memo2->setPlainText(QString::fromLatin1(kNotice));

    const auto tabOrder = TabOrder();
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    move(kForm1Rect.Left, kForm1Rect.Top);
    resize(scale.Across(kForm1Rect.Width - kDesignFrameWidth),
           scale.Down(kForm1Rect.Height - kDesignFrameHeight));
}

std::array<QWidget*, 5> TForm1::TabOrder() const {
    return {Button1, Memo1, Edit1, Edit2, Memo2};
}

void TForm1::FormCreate() {
    Button1->setEnabled(false);
    SpeedButton2->setEnabled(false);
}

void TForm1::SpeedButton1Click() {
    const QString chosen = OpenDialog1->Ask(
        this,
        {TFileDialogKind::OpenName, QString(), QString::fromLatin1(kTextFilesFilter), InputPath});
    if (!chosen.isEmpty()) {
        InputPath = chosen;
    }
    Edit1->setText(InputPath);
    Edit1->setCursorPosition(0);
    SpeedButton2->setEnabled(true);
}

void TForm1::SpeedButton2Click() {
    const QString chosen = SaveDialog1->Ask(
        this,
        {TFileDialogKind::SaveName, QString(), QString::fromLatin1(kTextFilesFilter), OutputPath});
    if (!chosen.isEmpty()) {
        OutputPath = chosen;
    }
    Edit2->setText(OutputPath);
    Edit2->setCursorPosition(0);
    Button1->setEnabled(true);
}

void TForm1::Button1Click() {
    // Disabling Button1 moves the keyboard focus on to the log. Unless the user has put it
    // elsewhere meanwhile, a completed run leaves no control focused (the focused button is
    // disabled) and any other run gives it back to Button1.
    const bool buttonHadFocus = Button1->hasFocus();
    SetChoiceButtons(false, false, false);
    QWidget* const focusDuringRun = buttonHadFocus ? focusWidget() : nullptr;

    std::optional<kelvo::TRunOutcome> outcome;
    std::string failure;
    running_ = true;
    try {
        outcome =
            kelvo::ReduceColumns(EnginePath(InputPath), EnginePath(OutputPath), *this).Outcome;
    } catch (const std::exception& error) {
        failure = error.what();
    }
    running_ = false;

    const bool completed = outcome == kelvo::TRunOutcome::Completed;
    SetChoiceButtons(true, !completed, !completed);
    if (buttonHadFocus && focusWidget() == focusDuringRun) {
        if (completed) {
            focusDuringRun->clearFocus();
        } else {
            Button1->setFocus();
        }
    }
    if (!outcome) {
        ShowError(failure);
    }
    if (closeWanted_) {
        close();
    }
}

void TForm1::SetChoiceButtons(bool inputEnabled, bool outputEnabled, bool runEnabled) {
    SpeedButton1->setEnabled(inputEnabled);
    SpeedButton2->setEnabled(outputEnabled);
    Button1->setEnabled(runEnabled);
}

void TForm1::ShowError(const std::string& message) {
    MessageBox1->ShowError(this, QMessageBox::Critical, title_,
                           QString::fromUtf8(kelvo::ErrorBoxText(message)));
}

void TForm1::AddLogLine(const std::string& text) {
    const QString line = QString::fromUtf8(text);
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    // The last block is empty exactly when the log ends in a line break (or is empty); text the
    // user typed after that break stays on its own line.
    if (Memo1->document()->lastBlock().text().isEmpty()) {
        cursor.insertText(line + QLatin1Char('\n'));
    } else {
        cursor.insertText(QLatin1Char('\n') + line);
    }
    Memo1->setTextCursor(cursor);
    Memo1->ensureCursorVisible();
}

void TForm1::ShowInfo(const std::string& text) {
    ShowInfoDialog(this, title_, QString::fromUtf8(text));
}

void TForm1::PumpEvents() {
    // One pass of the dispatcher leaves what that pass itself posted (the repaint after a resize,
    // say) for the next; keep passing until one finds nothing to do.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    while (dispatcher->processEvents(QEventLoop::AllEvents)) {
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A run cannot be broken off: it writes its output and log to the end, and Button1Click closes
    // the window afterwards.
    if (running_) {
        closeWanted_ = true;
        event->ignore();
        return;
    }
    event->accept();
}
