#pragma once
// The set-up that goes with one document of the exercise being made: none, the main window's
// set-up as it is when chosen (shown as a thumbnail, taken again with "Reprendre"), or the
// set-up of a ".C03" file.

#include "core/elements.h"

#include <QGroupBox>

#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace alambix {

class SetupDocument;

class SetupChoice : public QGroupBox {
    Q_OBJECT
public:
    // `current` is the main window's set-up; `prefix` names the controls ("enonce", ...).
    SetupChoice(const QString& title, const QString& prefix, const SetupDocument& current,
                QWidget* parent = nullptr);

    const std::optional<SetupValues>& values() const { return m_values; }
    // Shows the set-up an exercise read from `file` has (none when `values` is empty).
    void showSetup(const std::optional<SetupValues>& values, const QString& file);

signals:
    // The teacher chose another set-up.
    void chosen(const std::optional<SetupValues>& values);

private:
    void choose(QRadioButton* button, const std::optional<SetupValues>& values);
    void takeCurrent();
    void chooseFile();
    void showValues();

    const SetupDocument& m_current;
    QRadioButton* m_none = nullptr;
    QRadioButton* m_currentButton = nullptr;
    QRadioButton* m_fileButton = nullptr;
    QPushButton* m_again = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLabel* m_thumbnail = nullptr;
    // The button of the set-up shown.
    QRadioButton* m_checked = nullptr;
    std::optional<SetupValues> m_values;
    // The file's set-up, kept while another choice is shown.
    std::optional<SetupValues> m_fileValues;
    QString m_file;
};

} // namespace alambix
