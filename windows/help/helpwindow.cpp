#include "windows/help/helpwindow.h"

#include "drawing/fonts.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace alambix {

QString headingAnchor(const QString& title) {
    QString anchor;
    for (const QChar c : title.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor += c;
        else if (c == QLatin1Char(' '))
            anchor += QLatin1Char('-');
    }
    return anchor;
}

HelpWindow::HelpWindow(const QString& path, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_contents(new QListWidget(this)), m_search(new QLineEdit(this)),
      m_notFound(new QLabel(this)), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("aide"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(windowFont(10));
    // 900 x 640 where the screen has room, centred on it; on a small screen a little less
    // than the screen, so that the frame and the title bar stay on it too.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 900, 640);
    const QSize size = QSize(900, 640).boundedTo(available.size() - QSize(48, 64));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));

    m_contents->setObjectName(QStringLiteral("sommaire"));
    m_contents->setMaximumWidth(260);
    m_search->setObjectName(QStringLiteral("recherche"));
    m_search->setPlaceholderText(QStringLiteral("Rechercher dans le texte"));
    m_search->setClearButtonEnabled(true);
    m_notFound->setObjectName(QStringLiteral("introuvable"));
    m_browser->setObjectName(QStringLiteral("texte"));
    m_browser->setOpenLinks(false);

    auto* contentsTitle = new QLabel(QStringLiteral("Sommaire"), this);
    contentsTitle->setFont(windowFont(10, true));
    auto* left = new QVBoxLayout;
    left->addWidget(contentsTitle);
    left->addWidget(m_contents);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_notFound);
    // Closed with its button or Escape, as any window that only shows a text.
    auto* close = new QPushButton(QStringLiteral("&Fermer"), this);
    close->setObjectName(QStringLiteral("fermer"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    auto* right = new QVBoxLayout;
    right->addLayout(searchRow);
    right->addWidget(m_browser, 1);
    right->addLayout(closeRow);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
        m_browser->document()->setBaseUrl(
            QUrl::fromLocalFile(QFileInfo(path).absolutePath() + '/'));
        m_browser->setMarkdown(QString::fromUtf8(file.readAll()));
        m_loaded = true;
    }
    listHeadings();

    // Clicked or chosen with Enter; merely giving the list the focus moves nothing.
    auto showItem = [this](QListWidgetItem* item) { showBlock(item->data(Qt::UserRole).toInt()); };
    connect(m_contents, &QListWidget::itemClicked, this, showItem);
    connect(m_contents, &QListWidget::itemActivated, this, showItem);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { findNext(m_search->text()); });
    connect(m_search, &QLineEdit::textChanged, m_notFound, &QLabel::clear);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.hasFragment() && (url.path().isEmpty() || url.isRelative()))
            showHeading(url.fragment());
        else
            QDesktopServices::openUrl(url);
    });
}

void HelpWindow::listHeadings() {
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3) continue;
        auto* item = new QListWidgetItem(
            (level == 3 ? QStringLiteral("    ") : QString()) + block.text(), m_contents);
        item->setData(Qt::UserRole, block.position());
    }
}

void HelpWindow::showBlock(int position) {
    QTextCursor cursor(m_browser->document());
    cursor.setPosition(position);
    m_browser->setTextCursor(cursor);
    // The heading at the top of the view, not merely somewhere in it.
    const QRect rect = m_browser->cursorRect(cursor);
    m_browser->verticalScrollBar()->setValue(m_browser->verticalScrollBar()->value() + rect.top());
}

bool HelpWindow::showHeading(const QString& title) {
    for (int row = 0; row < m_contents->count(); ++row) {
        const QString heading = m_contents->item(row)->text().trimmed();
        if (heading == title || headingAnchor(heading) == title) {
            m_contents->setCurrentRow(row);
            showBlock(m_contents->item(row)->data(Qt::UserRole).toInt());
            return true;
        }
    }
    return false;
}

bool HelpWindow::findNext(const QString& text) {
    m_notFound->clear();
    if (text.isEmpty()) return false;
    if (m_browser->find(text)) return true;
    // Round once from the top.
    QTextCursor start(m_browser->document());
    m_browser->setTextCursor(start);
    if (m_browser->find(text)) return true;
    m_notFound->setText(QStringLiteral("Introuvable"));
    return false;
}

} // namespace alambix
