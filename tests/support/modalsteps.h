#pragma once
// Plays a window test's part in the modal windows it opens: each new modal window is handed to
// the next step, in order; a window with no step left is closed with Escape.

#include <QApplication>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

class ModalSteps : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalSteps(std::deque<Step> steps) : m_steps(std::move(steps)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }
    // How many modal windows showed.
    int seen() const { return m_seen; }
    QStringList classes() const { return m_classes; }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        // A step may open another modal window: this is called again from inside it.
        if (!modal || !modal->isVisible() || modal->property("stepped").toBool()) return;
        modal->setProperty("stepped", true);
        ++m_seen;
        m_classes << QString::fromLatin1(modal->metaObject()->className());
        if (m_steps.empty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    int m_seen = 0;
    QStringList m_classes;
};
