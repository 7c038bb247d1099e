#pragma once

#include <QTreeWidget>
#include <functional>
#include <string>

namespace tonzug {

// The chooser's list of the system and standard colours: one column under the header
// "Systemfarben", a 16 x 16 swatch and the name in the language of the windows per row,
// full-row selection.
// Each item carries its key and its tag "rgb|value"; a click hands the tag on.
class ColorListView : public QTreeWidget {
    Q_OBJECT

  public:
    static constexpr int kTagRole = Qt::UserRole;
    static constexpr int kKeyRole = Qt::UserRole + 1;

    explicit ColorListView(QWidget* parent = nullptr);

    void SetClickHandler(std::function<void(const std::string& tag)> handler) {
        onClick_ = std::move(handler);
    }

    // Builds the list from scratch with the desktop's colours as they are now.
    void FillColorList();

  private:
    std::function<void(const std::string&)> onClick_;
};

}  // namespace tonzug
