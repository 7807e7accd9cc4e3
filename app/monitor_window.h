// The window "Monitor": every frame heard and sent on the channels, one line each, with the
// stations heard beside them. A view of MonitorModel: it opens the model (the driver's sink) while
// the window is shown and closes it when the window is closed, so a closed monitor costs nothing.
// Keys: Ctrl+C copies the selected lines (all shown lines when none is selected), Ctrl+S saves,
// Esc closes.
#pragma once

#include <QWidget>

#include "app/monitor_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;

namespace zelvo::app {

class MonitorWindow : public QWidget {
    Q_OBJECT
public:
    explicit MonitorWindow(MonitorFeed feed, QWidget* parent = nullptr);
    ~MonitorWindow() override;

    // Shows the window, or brings the shown one to the front.
    void showOrActivate();

    MonitorModel& model() { return model_; }
    QTableView& lineView() { return *lineView_; }
    QTableView& heardView() { return *heardView_; }

    // The commands of the buttons.
    void copyLines();
    void saveAs();
    // Writes the lines shown (as the filter leaves them) to the file, UTF-8, one a line; false
    // after the error box.
    bool saveTo(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildControls();
    QSplitter* buildTables();
    void setTexts();
    void connectControls();
    void fillChannels();
    // The shown lines, selected ones only when `selectedOnly` and there are any.
    QString shownText(bool selectedOnly) const;
    void followNewLines();

    MonitorModel model_;
    MonitorFilter filter_;
    QLabel* callLabel_;
    QLineEdit* call_;
    QLabel* channelLabel_;
    QComboBox* channel_;
    QPushButton* pause_;
    QPushButton* copy_;
    QPushButton* save_;
    QSplitter* splitter_;
    QTableView* lineView_;
    QTableView* heardView_;
    bool atBottom_ = true;
};

}  // namespace zelvo::app
