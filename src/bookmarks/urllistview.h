#pragma once
// What a bookmark list tells the view that shows it (the pane's address combo).

class QWidget;

namespace mira {

class TURL;

class URLListView {
public:
    virtual ~URLListView() = default;
    // One bookmark's name changed: refresh its line.
    virtual void UpdateItem(TURL *url) = 0;
    // The list changed as a whole (added, deleted, moved, cleared): rebuild.
    virtual void UpdateItems() = 0;
    // Owner of the questions the list asks.
    virtual QWidget *messageOwner() = 0;
};

} // namespace mira
