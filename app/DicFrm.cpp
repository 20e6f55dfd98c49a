#include "app/DicFrm.h"

#include "app/DicFrmAccessible.h"
#include "app/WordListBox.h"
#include "app/WordListModel.h"
#include "base/DataFolder.h"
#include "windows/ChrFrm.h"
#include "windows/ClassicFonts.h"
#include "windows/ClassicLabel.h"
#include "windows/about.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>

// The icon is drawn from its two SVG sources with QSvgRenderer: going
// through Qt's SVG icon plugin would cost start-up more than all the rest of
// the window. The resources live in this library, which a static link would
// otherwise drop.
static QIcon windowIcon16And32()
{
    Q_INIT_RESOURCE(app);
    QIcon icon;
    for (const auto &[file, size] :
        { std::pair { ":/icons/velmora-16.svg", 16 }, std::pair { ":/icons/velmora.svg", 32 } }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QSvgRenderer(QLatin1String(file)).render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace velmora {

namespace {

QPlainTextEdit *addEntryBox(QWidget *parent, const char *name, const QString &accessibleName, QRect box)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->setGeometry(box);
    edit->setReadOnly(true);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    return edit;
}

QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, QRect box)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setGeometry(box);
    button->setAutoDefault(false);
    return button;
}

} // namespace

DicFrm::DicFrm()
    : DicFrm(Services {})
{
}

DicFrm::DicFrm(Services services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , MsAgent(services.windowsDirectory)
    , m_services(std::move(services))
    , m_settings(m_services.settingsPath)
{
    MsAgent.setClock(clock());
    DicFrmAccessible::install();
    setObjectName(QStringLiteral("DicFrm"));
    setWindowTitle(QStringLiteral("Velmora"));
    setAccessibleName(windowTitle());
    setFont(ClassicFonts::msSansSerif());
    // The client area is fixed in size and place.
    setGeometry(118, 63, 511, 326);
    setFixedSize(511, 326);

    createControls();
    m_view = std::make_unique<DicFrmView>(m_controls, [this] { m_lookup->List1_Click(); });
    m_lookup = std::make_unique<DictionaryLookup>(*m_view);

    connect(m_controls.Text1, &QLineEdit::textChanged, this, [this] { m_lookup->Text1_Change(); });
    connect(m_controls.List1, &WordListBox::mouseDown, this,
        [this](int button) { m_lookup->List1_MouseDown(button); });
    connect(
        m_controls.List1, &WordListBox::menuKeyPressed, this, [this] { m_view->popupCopyMenuAtSelection(); });
    connect(m_controls.MCopy, &QAction::triggered, this, [this] { m_lookup->MCopy_Click(); });
    // Chosen through the accessibility interface, the item is triggered
    // without the menu closing itself, as a click or Enter would close it.
    connect(m_controls.MCopy, &QAction::triggered, m_controls.MFile, &QWidget::close);

    if (m_services.silent)
        MsAgent.setAudioOutputFactory({});
    m_commands = std::make_unique<agent::CharacterCommands>(context(),
        agent::CharacterCommands::Windows {
            [this] {
                about window(this);
                window.exec();
            },
            [this] { showChooser(); },
            [this] { Timer1->start(); },
            [this] { return m_view->selectedText(); },
        });
}

agent::AgentContext DicFrm::context()
{
    return { MsAgent, Pat, Character, m_settings,
        m_services.messages ? *m_services.messages : m_screenMessages,
        m_services.programEnd ? *m_services.programEnd : m_processEnd };
}

Clock &DicFrm::clock() const
{
    return m_services.clock ? *m_services.clock : systemClock();
}

void DicFrm::showChooser()
{
    // The chooser asks for the same directory the control loads characters from.
    ChrFrm chooser(
        context(), [directory = m_services.windowsDirectory] { return directory; }, this);
    chooser.showModal();
}

DicFrm::~DicFrm() = default;

QString DicFrm::defaultDictionaryPath()
{
    return QDir(dataFolders().data).filePath(QStringLiteral("Complete.dic"));
}

void DicFrm::createControls()
{
    const QFont font = this->font();
    // Controls are created back to front: a later sibling is drawn over an
    // earlier one.
    addClassicLabel(this, "Label1", QStringLiteral("English Words"), { 3, 66, 68, 13 }, font);
    addClassicLabel(
        this, "Label2", QStringLiteral("Word Meaning in Roman Script"), { 165, 135, 148, 13 }, font);
    addClassicLabel(this, "Label3", QStringLiteral("Word Example"), { 165, 208, 69, 13 }, font);
    addClassicLabel(this, "Label4", QStringLiteral("Word Type"), { 165, 88, 53, 13 }, font);
    QLabel *notice = addClassicLabel(this, "Label8", QString(), { 302, 70, 209, 54 }, ClassicFonts::tahoma(),
        QColor(0x40, 0x40, 0x40), false);
    notice->setWordWrap(true);
    addClassicLabel(this, "Label11", QStringLiteral("Total Words : 15500"), { 389, 135, 118, 16 },
        ClassicFonts::msSansSerif(true));

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::NoFrame);
    frame->setGeometry(1, -2, 518, 60);
    frame->setAutoFillBackground(true);
    QPalette band = frame->palette();
    band.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    band.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    frame->setPalette(band);
    const QFont title = ClassicFonts::timesNewRoman(19);
    addClassicLabel(frame, "Label5", QStringLiteral("Velmora"), { 8, 6, 310, 21 }, title, QColor(Qt::black));
    addClassicLabel(
        frame, "Label6", QStringLiteral("Velmora"), { 7, 5, 310, 21 }, title, QColor(0xFF, 0x80, 0x00));
    addClassicLabel(frame, "Label7", QStringLiteral("Developed by the Velmora developers"),
        { 7, 27, 194, 13 }, ClassicFonts::tahoma(), QColor(0xC0, 0xC0, 0xC0));
    addClassicLabel(frame, "Label10",
        QStringLiteral("E-mail : team@velmora.example.org    Web : www.velmora.example.org"),
        { 7, 41, 307, 13 }, ClassicFonts::tahoma(), QColor(0xC0, 0xC0, 0xFF));

    auto *model = new WordListModel(this);
    auto *list = new WordListBox(this);
    list->setObjectName(QStringLiteral("List1"));
    list->setAccessibleName(QStringLiteral("English Words"));
    list->setModel(model);
    list->setGeometry(4, 103, 152, 212);

    QPlainTextEdit *meaning = addEntryBox(
        this, "WMeaning", QStringLiteral("Word Meaning in Roman Script"), { 165, 151, 343, 49 });

    auto *wordType = new QLineEdit(this);
    wordType->setObjectName(QStringLiteral("WType"));
    wordType->setAccessibleName(QStringLiteral("Word Type"));
    wordType->setGeometry(165, 103, 124, 22);
    wordType->setReadOnly(true);

    auto *search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("Text1"));
    search->setAccessibleName(QStringLiteral("Search"));
    search->setGeometry(4, 82, 152, 20);
    search->setMaxLength(std::numeric_limits<int>::max());

    QPlainTextEdit *example
        = addEntryBox(this, "WExample", QStringLiteral("Word Example"), { 165, 224, 230, 91 });

    QPushButton *pronounce = addButton(this, "Command3", QStringLiteral("Pronounce"), { 406, 225, 98, 24 });
    QPushButton *characters = addButton(this, "Command4", QStringLiteral("Charactors"), { 406, 248, 98, 23 });
    QPushButton *aboutButton = addButton(this, "Command2", QStringLiteral("About"), { 406, 270, 98, 23 });
    QPushButton *exitButton = addButton(this, "Command1", QStringLiteral("Exit"), { 406, 292, 98, 23 });

    Timer1 = clock().createTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(4000);
    // A coarse timer may tick up to 5% early, ending the program 200 ms before its time.
    Timer1->setTimerType(Qt::PreciseTimer);

    auto *menu = new QMenu(QStringLiteral("File"), this);
    menu->setObjectName(QStringLiteral("MFile"));
    QAction *copy = menu->addAction(QStringLiteral("Copy Text"));
    copy->setObjectName(QStringLiteral("MCopy"));

    m_controls = { list, model, search, meaning, wordType, example, menu, copy };

    QWidget::setTabOrder(list, meaning);
    QWidget::setTabOrder(meaning, exitButton);
    QWidget::setTabOrder(exitButton, wordType);
    QWidget::setTabOrder(wordType, aboutButton);
    QWidget::setTabOrder(aboutButton, search);
    QWidget::setTabOrder(search, example);
    QWidget::setTabOrder(example, pronounce);
    QWidget::setTabOrder(pronounce, characters);
    list->setFocus();

    connect(exitButton, &QPushButton::clicked, this, &DicFrm::Command1_Click);
    connect(aboutButton, &QPushButton::clicked, this, &DicFrm::Command2_Click);
    connect(pronounce, &QPushButton::clicked, this, &DicFrm::Command3_Click);
    connect(characters, &QPushButton::clicked, this, &DicFrm::Command4_Click);
    connect(Timer1, &ClockTimer::timeout, this, &DicFrm::Timer1_Timer);
}

void DicFrm::Form_Load()
{
    m_lookup->LoadDictionary(m_services.dictionaryPath);
    m_view->setSelectedIndex(0);
    m_commands->startUp();
}

void DicFrm::showWindowIcon(const QString &themeIconName)
{
    // The installed theme icon, in all its sizes; the built-in one otherwise.
    // Either is read from disk and drawn, which the window does not need to
    // appear: the program sets it once the window is on its way.
    const QIcon icon = QIcon::fromTheme(themeIconName);
    setWindowIcon(icon.isNull() ? windowIcon16And32() : icon);
}

void DicFrm::closeEvent(QCloseEvent *event)
{
    event->accept();
    QCoreApplication::quit();
}

void DicFrm::Command1_Click()
{
    m_commands->Command1_Click();
}

void DicFrm::Command2_Click()
{
    m_commands->Command2_Click();
}

void DicFrm::Command3_Click()
{
    m_commands->Command3_Click();
}

void DicFrm::Command4_Click()
{
    m_commands->Command4_Click();
}

void DicFrm::Timer1_Timer()
{
    m_commands->Timer1_Timer();
}

} // namespace velmora
