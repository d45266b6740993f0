#pragma once
// Answers the modal message boxes a window test provokes and remembers what they said.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class MessageCatcher : public QObject {
public:
    // Every box is answered with `answer` (OK when the box has no such button).
    explicit MessageCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    // Called while a box is showing, before it is answered: lets a test look at the windows.
    void onShow(std::function<void()> probe) { m_probe = std::move(probe); }
    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    // The next boxes are answered with these, in order, before the default answer applies.
    void queueAnswers(std::deque<QMessageBox::StandardButton> answers) {
        m_queued = std::move(answers);
    }

    const std::vector<ShownMessage>& messages() const { return m_messages; }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A new box may take the address of the one answered before: mark the boxes instead.
        if (!box || !box->isVisible() || box->property("answered").toBool()) return;
        box->setProperty("answered", true);
        m_messages.push_back(
            {box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        if (m_probe) m_probe();
        QMessageBox::StandardButton answer = m_answer;
        if (!m_queued.empty()) {
            answer = m_queued.front();
            m_queued.pop_front();
        }
        QAbstractButton* button = box->button(answer);
        if (!button) button = box->button(QMessageBox::Ok);
        if (button)
            button->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QMessageBox::StandardButton m_answer;
    std::function<void()> m_probe;
    std::deque<QMessageBox::StandardButton> m_queued;
    std::vector<ShownMessage> m_messages;
};
