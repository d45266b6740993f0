#pragma once
// Answers the modal message boxes a window test provokes, in order, with real clicks, and keeps
// what each box said.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <deque>

class MessageBoxAnswerer : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    explicit MessageBoxAnswerer(std::deque<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
        m_timer.start();
    }

    const std::vector<Seen>& seen() const { return m_seen; }
    bool allAnswered() const { return m_answers.empty(); }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A new box may take the address of the one answered before: mark the boxes instead.
        if (!box || !box->isVisible() || box->property("answered").toBool()) return;
        box->setProperty("answered", true);
        m_seen.push_back({box->windowTitle(), box->text(), box->icon()});
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        QAbstractButton* button = box->button(answer);
        if (!button) button = box->buttons().value(0);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTimer m_timer;
    std::deque<QMessageBox::StandardButton> m_answers;
    std::vector<Seen> m_seen;
};
