#pragma once
// The set-up being worked on: its elements and rules, its drawing, and the file it was last
// loaded from or saved to. The main window owns one and shows it; the loader, the open and save
// dialogs, the print and the copy work on it.

#include "core/setupmodel.h"
#include "drawing/drawingsurface.h"

#include <QImage>
#include <QObject>
#include <QString>

namespace alambix {

class SetupDocument : public QObject {
    Q_OBJECT
public:
    explicit SetupDocument(QObject* parent = nullptr);

    SetupModel& model() { return m_model; }
    const SetupModel& model() const { return m_model; }
    const DrawingSurface& surface() const { return m_surface; }
    DrawingSurface& surface() { return m_surface; }

    // `cheminmontage`: full path of the set-up's file, empty when it has none.
    QString path() const { return m_path; }
    void setPath(const QString& path);

    // The main caption: "Alambix", or "Alambix - " and the file once it was loaded or saved.
    QString title() const { return m_title; }
    // The set-up now is the content of path(): the caption names the file.
    void nameFile();

    // "&Nouveau": every element off, no file, the plain caption.
    void clear();
    // `fondessin`'s drawing part: paints the gradient, makes it the background and redraws.
    void paintBackground();
    // `desdes`'s drawing part: the whole set-up drawn again on the surface.
    void redraw();
    // Asks the views to show the surface before the event loop runs again.
    void showNow();

signals:
    // The elements or their enabled states changed (the drawing follows at once).
    void changed();
    // The surface holds a new drawing of the whole set-up.
    void redrawn();
    // A view must show the surface now, not at the next paint.
    void showRequested();
    void pathChanged(const QString& path);
    void titleChanged(const QString& title);

private:
    SetupModel m_model;
    DrawingSurface m_surface;
    QString m_path;
    QString m_title;
};

// "Remove the background, redraw, take the picture, restore the background": while it lives the
// drawing stands on the bare surface, and the views show it so; on the way out the background
// is painted again and the set-up redrawn over it.
class BareDrawing {
public:
    explicit BareDrawing(SetupDocument& document);
    ~BareDrawing();
    BareDrawing(const BareDrawing&) = delete;
    BareDrawing& operator=(const BareDrawing&) = delete;

    // The bare drawing as a bitmap.
    QImage picture() const { return m_document.surface().image().copy(); }

private:
    SetupDocument& m_document;
};

} // namespace alambix
