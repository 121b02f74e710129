#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tessemar {

// What a view hears from its document, so that it can redraw only what changed.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void OnCellChanged(int /*x*/, int /*y*/) {}
    virtual void OnClueSlotChanged(int /*side*/, int /*i*/, int /*j*/) {}
    // Size, cell size, colours or font: the whole layout must be built again.
    virtual void OnLayoutChanged() {}
    virtual void OnTitleChanged() {}
    // A fragment started or stopped floating, moved or changed.
    virtual void OnSelectionChanged() {}
    virtual void OnModifiedChanged(bool /*modified*/) {}
    // An entry was committed or cleared, or Undo or Redo moved the position.
    virtual void OnHistoryChanged() {}
};

// The document half of document/view: where the document lives on disk, the title its
// windows show and whether it has unsaved changes, and the observers to tell of changes.
class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    virtual ~Document() = default;

    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(std::string path) { pathName_ = std::move(path); }

    // The title of the document's windows: the file name, or "Logic1" ... before the first save.
    const std::string& GetTitle() const { return windowTitle_; }
    void SetTitle(std::string title) { windowTitle_ = std::move(title); }

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);

    void AddObserver(DocumentObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(DocumentObserver* observer) {
        observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
    }

protected:
    template <typename Call>
    void Notify(Call call) const {
        for (DocumentObserver* observer : observers_) call(*observer);
    }

private:
    std::string pathName_;
    std::string windowTitle_;
    bool modified_ = false;
    std::vector<DocumentObserver*> observers_;
};

inline void Document::SetModifiedFlag(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    Notify([modified](DocumentObserver& o) { o.OnModifiedChanged(modified); });
}

}  // namespace tessemar
