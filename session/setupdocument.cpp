#include "session/setupdocument.h"

namespace alambix {

namespace {
const QString plainTitle = QStringLiteral("Alambix");
} // namespace

SetupDocument::SetupDocument(QObject* parent) : QObject(parent), m_title(plainTitle) {
    connect(&m_model, &SetupModel::changed, this, [this] {
        redraw();
        emit changed();
    });
}

void SetupDocument::setPath(const QString& path) {
    if (path == m_path) return;
    m_path = path;
    emit pathChanged(m_path);
}

void SetupDocument::nameFile() {
    m_title = plainTitle + QStringLiteral(" - ") + m_path;
    emit titleChanged(m_title);
}

void SetupDocument::clear() {
    m_model.clearAll();
    m_title = plainTitle;
    emit titleChanged(m_title);
    setPath(QString());
}

void SetupDocument::paintBackground() {
    m_surface.paintBackground();
    redraw();
}

void SetupDocument::redraw() {
    m_surface.drawSetup(m_model.values());
    emit redrawn();
}

void SetupDocument::showNow() {
    emit showRequested();
}

BareDrawing::BareDrawing(SetupDocument& document) : m_document(document) {
    m_document.surface().removeBackground();
    m_document.redraw();
    m_document.showNow();
}

BareDrawing::~BareDrawing() {
    m_document.paintBackground();
}

} // namespace alambix
