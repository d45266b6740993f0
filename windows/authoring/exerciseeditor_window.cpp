#include "windows/authoring/exerciseeditor_window.h"

#include "core/blanks.h"
#include "core/exercisefile.h"
#include "core/textcodec.h"
#include "session/setupdocument.h"
#include "session/setuppicture.h"
#include "windows/authoring/exercisepreview_dialog.h"
#include "windows/authoring/levellamps.h"
#include "windows/authoring/setupchoice.h"
#include "windows/files/folderpicker.h"
#include "windows/text/textpanel.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace alambix {

namespace {

// "126 caractères restants", or how many are too many, in red.
void showCount(QLabel* label, qsizetype used, int max) {
    const qsizetype left = max - used;
    QString text;
    if (left > 1)
        text = QStringLiteral("%1 caractères restants").arg(left);
    else if (left == 1)
        text = QStringLiteral("1 caractère restant");
    else if (left == 0)
        text = QStringLiteral("plus aucun caractère");
    else
        text = QStringLiteral("%1 caractère%2 de trop").arg(-left).arg(left < -1 ? "s" : "");
    label->setText(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, left < 0 ? QColor(192, 0, 0) : QColor(0, 0, 128));
    label->setPalette(palette);
}

// A file name made from the title: its letters without accents, words joined by dashes.
QString nameFromTitle(const QString& title) {
    QString name;
    for (const QChar c : title.normalized(QString::NormalizationForm_KD).toLower()) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            name += c;
        else if ((c.isSpace() || c.isPunct()) && !name.isEmpty() && !name.endsWith('-'))
            name += QLatin1Char('-');
        if (name.size() >= 40) break;
    }
    while (name.endsWith(QLatin1Char('-')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("exercice") : name;
}

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

ExerciseEditor::ExerciseEditor(const SetupDocument& current, const QString& packFolder,
                               QWidget* beside)
    : QWidget(nullptr), m_current(current), m_packFolder(packFolder) {
    setObjectName(QStringLiteral("editeurexo"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (beside) setWindowIcon(beside->windowIcon());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFields());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("documents"));
    m_tabs->addTab(buildDocument(m_draft.statement(), QStringLiteral("enonce"), m_statementSetup),
                   QStringLiteral("É&noncé"));
    m_tabs->addTab(
        buildDocument(m_draft.correction(), QStringLiteral("corrige"), m_correctionSetup),
        QStringLiteral("&Correction"));
    m_statementSetup->setTitle(QStringLiteral("Montage de l'énoncé"));
    m_correctionSetup->setTitle(QStringLiteral("Montage de la correction"));
    layout->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* previewButton = makeButton(QStringLiteral("&Aperçu"), "apercu", this);
    QPushButton* saveButton =
        makeButton(QStringLiteral("&Enregistrer l'exercice"), "enregistrer", this);
    QPushButton* saveAsButton =
        makeButton(QStringLiteral("Enregistrer sous…"), "enregistrersous", this);
    QPushButton* closeButton = makeButton(QStringLiteral("Fermer"), "fermer", this);
    saveButton->setToolTip(QStringLiteral("Enregistrer l'exercice (Ctrl+S)"));
    saveAsButton->setToolTip(QStringLiteral("Enregistrer l'exercice ailleurs ou sous un autre nom "
                                            "(Ctrl+Maj+S)"));
    previewButton->setToolTip(
        QStringLiteral("Voir l'exercice comme la fenêtre des exercices le montrera"));
    buttons->addWidget(previewButton);
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(saveAsButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(previewButton, &QPushButton::clicked, this, &ExerciseEditor::preview);
    connect(saveButton, &QPushButton::clicked, this, &ExerciseEditor::save);
    connect(saveAsButton, &QPushButton::clicked, this, &ExerciseEditor::saveAs);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Save, [this] { save(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
    shortcut(QKeySequence::Close, [this] { close(); });

    connect(&m_draft, &ExerciseDraft::modificationChanged, this, &ExerciseEditor::showTitle);
    showFields();
    showTitle();

    // It fits an 800 x 600 screen, and takes a little more room on a larger one.
    const QRect screen =
        (beside ? beside->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QSize room = screen.size() - QSize(20, 50);
    resize(QSize(840, 620).boundedTo(room));
    setMinimumSize(QSize(640, 480).boundedTo(room));
    // Over the middle of the main window, inside the screen.
    QRect placed(QPoint(), size());
    placed.moveCenter(beside ? beside->frameGeometry().center() : screen.center());
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - placed.width()));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - placed.height() - 30));
    move(placed.topLeft());
}

QWidget* ExerciseEditor::buildFields() {
    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    auto label = [fields](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text, fields);
        caption->setBuddy(buddy);
        return caption;
    };

    m_title = new QLineEdit(fields);
    m_title->setObjectName(QStringLiteral("titre"));
    m_title->setMaxLength(ExerciseTitleMax);
    m_title->setPlaceholderText(QStringLiteral("Le titre que la liste des exercices montre"));
    m_titleCount = new QLabel(fields);
    m_titleCount->setObjectName(QStringLiteral("titrereste"));
    grid->addWidget(label(QStringLiteral("&Titre :"), m_title), 0, 0);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(m_titleCount, 0, 2);

    m_level = new LevelLamps(fields);
    m_level->setObjectName(QStringLiteral("niveau"));
    grid->addWidget(label(QStringLiteral("Niveau de &difficulté :"), m_level), 1, 0);
    grid->addWidget(m_level, 1, 1, Qt::AlignLeft);

    m_notions = new QPlainTextEdit(fields);
    m_notions->setObjectName(QStringLiteral("notions"));
    m_notions->setTabChangesFocus(true);
    m_notions->setPlaceholderText(QStringLiteral("Les notions abordées, par exemple : "
                                                 "distillation ; température d'ébullition"));
    m_notions->setFixedHeight(m_notions->fontMetrics().lineSpacing() * 3 + 12);
    m_notionsCount = new QLabel(fields);
    m_notionsCount->setObjectName(QStringLiteral("notionsreste"));
    grid->addWidget(label(QStringLiteral("N&otions abordées :"), m_notions), 2, 0, Qt::AlignTop);
    grid->addWidget(m_notions, 2, 1);
    grid->addWidget(m_notionsCount, 2, 2, Qt::AlignTop);

    m_warning = new QLabel(fields);
    m_warning->setObjectName(QStringLiteral("avertissement"));
    m_warning->setWordWrap(true);
    QPalette palette = m_warning->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_warning->setPalette(palette);
    m_warning->hide();
    grid->addWidget(m_warning, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_title, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_draft.setTitle(text);
        showCounts();
    });
    connect(m_level, &LevelLamps::levelChanged, &m_draft, &ExerciseDraft::setLevel);
    connect(m_notions, &QPlainTextEdit::textChanged, this, [this] {
        m_draft.setNotions(m_notions->toPlainText());
        showCounts();
    });
    return fields;
}

QWidget* ExerciseEditor::buildDocument(QTextDocument& document, const QString& name,
                                       SetupChoice*& choice) {
    auto* page = new QWidget(m_tabs);
    page->setObjectName(name + QStringLiteral("-page"));
    auto* row = new QHBoxLayout(page);
    auto* panel = new TextPanel(page);
    panel->setObjectName(name);
    panel->setDocument(&document);
    // The formatting bar stands over an editable text: it is built when the text becomes so.
    panel->setReadOnly(true);
    panel->setReadOnly(false);
    row->addWidget(panel, 1);
    (name == QLatin1String("enonce") ? m_statement : m_correction) = panel;

    auto* side = new QVBoxLayout;
    choice = new SetupChoice(QString(), name, m_current, page);
    side->addWidget(choice);
    QPushButton* insert = makeButton(QStringLiteral("Insérer le &schéma du montage"), "", page);
    insert->setObjectName(name + QStringLiteral("-schema"));
    insert->setToolTip(QStringLiteral("Mettre le schéma du montage actuel dans le texte, à "
                                      "l'endroit du curseur"));
    QPushButton* import = makeButton(QStringLiteral("&Importer un texte RTF…"), "", page);
    import->setObjectName(name + QStringLiteral("-importer"));
    import->setToolTip(QStringLiteral("Remplacer ce texte par celui d'un fichier RTF"));
    side->addWidget(insert);
    side->addWidget(import);
    side->addStretch(1);
    row->addLayout(side);

    connect(insert, &QPushButton::clicked, this, &ExerciseEditor::insertDrawing);
    connect(import, &QPushButton::clicked, this, &ExerciseEditor::importText);
    const bool statement = name == QLatin1String("enonce");
    connect(choice, &SetupChoice::chosen, &m_draft,
            statement ? &ExerciseDraft::setStatementSetup : &ExerciseDraft::setCorrectionSetup);
    return page;
}

void ExerciseEditor::showFields() {
    const QSignalBlocker title(m_title), level(m_level), notions(m_notions);
    m_title->setText(m_draft.title());
    m_level->setLevel(m_draft.level());
    m_notions->setPlainText(m_draft.notions());
    showCounts();
}

void ExerciseEditor::showCounts() {
    showCount(m_titleCount, m_title->text().size(), ExerciseTitleMax);
    showCount(m_notionsCount, m_notions->toPlainText().size(), ExerciseNotionsMax);
    // A character the exercise file cannot hold is said as soon as it is typed.
    QStringList warnings;
    const std::pair<QString, DraftProblem> texts[] = {
        {m_title->text(), DraftProblem::TitleUnencodable},
        {m_notions->toPlainText(), DraftProblem::NotionsUnencodable}};
    for (const auto& [text, problem] : texts) {
        const QString refused = unencodableInWindows1252(text);
        if (!refused.isEmpty()) warnings << draftMessage({problem, refused, 0}).text;
    }
    m_warning->setText(warnings.join(QLatin1Char('\n')));
    m_warning->setVisible(!warnings.isEmpty());
}

void ExerciseEditor::showTitle() {
    const QString name = m_draft.path().isEmpty() ? QStringLiteral("Nouvel exercice")
                                                  : QFileInfo(m_draft.path()).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Éditeur d'exercices"));
    setWindowModified(m_draft.isModified());
}

TextPanel* ExerciseEditor::currentPanel() const {
    return m_tabs->currentIndex() == 0 ? m_statement : m_correction;
}

void ExerciseEditor::insertDrawing() {
    TextPanel* panel = currentPanel();
    QTextCursor cursor = panel->textCursor();
    insertSetupPicture(cursor, m_current.model().values());
    panel->setTextCursor(cursor);
    panel->setFocus();
}

void ExerciseEditor::importText() {
    TextPanel* panel = currentPanel();
    const bool statement = panel == m_statement;
    QFileDialog dialog(this, QStringLiteral("Importer un texte"), saveFolder(),
                       QStringLiteral("Texte au format RTF (*.RTF *.rtf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!panel->document()->toRawText().trimmed().isEmpty()) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Remplacer le texte?"),
                        (statement ? QStringLiteral("Le texte de l'énoncé")
                                   : QStringLiteral("Le texte de la correction")) +
                            QStringLiteral(" sera remplacé par celui de ") +
                            QFileInfo(path).fileName() + QLatin1Char('.'),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        if (box.exec() != QMessageBox::Ok) return;
    }
    const DraftResult read = readDocumentFile(path, *panel->document());
    if (!read.ok()) return showProblem(read);
    panel->document()->setModified(true);
    panel->moveCursor(QTextCursor::Start);
}

bool ExerciseEditor::openExercise(const QString& path) {
    const std::vector<DraftResult> problems = m_draft.load(path);
    if (!problems.empty() && problems.front().problem == DraftProblem::ExerciseUnreadable) {
        showProblem(problems.front());
        return false;
    }
    showFields();
    // The set-ups as files: the exercise's own.
    const std::optional<ExerciseRecords> records = readExerciseFile(path);
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    auto file = [&](const QString& name) {
        return records && !trimBlanks(name).isEmpty() ? resolveInFolder(folder, name) : QString();
    };
    m_statementSetup->showSetup(m_draft.statementSetup(),
                                records ? file(records->statementSetup) : QString());
    m_correctionSetup->showSetup(m_draft.correctionSetup(),
                                 records ? file(records->correctionSetup) : QString());
    for (TextPanel* panel : {m_statement, m_correction})
        panel->moveCursor(QTextCursor::Start);
    showTitle();
    if (!problems.empty()) {
        QStringList texts;
        for (const DraftResult& problem : problems)
            texts << draftMessage(problem).text;
        QMessageBox::warning(this, QStringLiteral("Exercice incomplet"),
                             QStringLiteral("Une partie de l'exercice n'a pas pu être lue :\n") +
                                 texts.join(QLatin1Char('\n')));
    }
    return true;
}

QString ExerciseEditor::saveFolder() const {
    QString folder = m_draft.path().isEmpty() ? FolderPicker::lastFolder()
                                              : QFileInfo(m_draft.path()).absolutePath();
    const QFileInfo info(folder);
    // The program's own pack, and a folder the teacher may not write to (an installed pack),
    // are no place for the teacher's exercises: they go to the documents folder.
    const bool pack = !m_packFolder.isEmpty() &&
                      info.canonicalFilePath() == QFileInfo(m_packFolder).canonicalFilePath();
    if (folder.isEmpty() || !info.isDir() || !info.isWritable() || pack) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
    }
    return folder;
}

bool ExerciseEditor::save() {
    const QString path = m_draft.path();
    if (path.isEmpty() || saveFolder() != QFileInfo(path).absolutePath()) return saveAs();
    return saveTo(path, false);
}

bool ExerciseEditor::saveAs() {
    // What no name can mend is said before a name is asked for.
    const DraftResult problem = problemBeforeChoosing();
    if (!problem.ok()) {
        showProblem(problem);
        return false;
    }
    const QString name = m_draft.path().isEmpty()
                             ? nameFromTitle(m_draft.title()) + QLatin1String(ExerciseSuffix)
                             : QFileInfo(m_draft.path()).fileName();
    QFileDialog dialog(this, QStringLiteral("Enregistrer l'exercice"),
                       QDir(saveFolder()).filePath(name),
                       QStringLiteral("Exercice Alambix (*.E08 *.e08)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("E08"));
    // Our own question names every file of the exercise that would be replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    QString path = dialog.selectedFiles().constFirst();
    if (!path.endsWith(QLatin1String(ExerciseSuffix), Qt::CaseInsensitive))
        path += QLatin1String(ExerciseSuffix);
    FolderPicker::setLastFolder(QFileInfo(path).absolutePath());
    return saveTo(path, true);
}

DraftResult ExerciseEditor::problemBeforeChoosing() const {
    const DraftResult result = m_draft.check(QStringLiteral("/a") + ExerciseSuffix);
    return result.problem == DraftProblem::NameTooLong ||
                   result.problem == DraftProblem::NameUnencodable
               ? DraftResult{}
               : result;
}

bool ExerciseEditor::saveTo(const QString& path, bool askBeforeReplacing) {
    const DraftResult problem = m_draft.check(path);
    if (!problem.ok()) {
        showProblem(problem);
        return false;
    }
    const QStringList existing = m_draft.existingFiles(path);
    const bool ownFile = QFileInfo(path).absoluteFilePath() == m_draft.path();
    if (askBeforeReplacing && !existing.isEmpty() && !ownFile) {
        QStringList names;
        for (const QString& file : existing)
            names << QStringLiteral("- ") + QFileInfo(file).fileName();
        QMessageBox box(QMessageBox::Question, QStringLiteral("Remplacer l'exercice?"),
                        (existing.size() > 1 ? QStringLiteral("Ces fichiers existent déjà dans ")
                                             : QStringLiteral("Ce fichier existe déjà dans ")) +
                            QDir::toNativeSeparators(QFileInfo(path).absolutePath()) +
                            QStringLiteral(" :\n") + names.join(QLatin1Char('\n')) +
                            QStringLiteral("\nLes remplacer par ceux de cet exercice?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() != QMessageBox::Ok) return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const DraftResult saved = m_draft.save(path);
    QGuiApplication::restoreOverrideCursor();
    if (!saved.ok()) {
        showProblem(saved);
        return false;
    }
    showTitle();
    return true;
}

void ExerciseEditor::preview() {
    ExercisePreviewDialog dialog(m_draft, this);
    dialog.exec();
}

void ExerciseEditor::showProblem(const DraftResult& result) {
    const ExerciseMessage message = draftMessage(result);
    QMessageBox::critical(this, message.title, message.text);
}

void ExerciseEditor::closeEvent(QCloseEvent* event) {
    if (m_draft.isModified()) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Exercice modifié"),
                        QStringLiteral("L'exercice a été modifié depuis son dernier "
                                       "enregistrement.\nEnregistrer les modifications?"),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Save);
        const int answer = box.exec();
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace alambix
