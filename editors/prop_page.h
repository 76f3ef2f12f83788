// The one interface every property page of the editor sheet implements.
//
// The sheet drives a page through four steps:
//  - loadWorkingCopy: the first time the page is shown, it copies its part
//    of the definition into its working copy and fills its controls;
//  - activate: each time the page is shown (after loadWorkingCopy the first
//    time);
//  - deactivate: each time the page is left, and before OK; false refuses
//    (the page stays shown and says why);
//  - commit: on OK, for every page that was ever shown, in sheet order; the
//    page copies its whole working copy into the definition.
// The controls change only the working copy; nothing reaches the definition
// before commit.
#pragma once

#include "editors/editor_context.h"

#include <QWidget>

namespace formwick {

struct CParameters;

class CPropPage : public QWidget {
    Q_OBJECT
public:
    CPropPage(int dialogId, EditorContext& context, QWidget* parent = nullptr);

    int dialogId() const { return dialogId_; }

    virtual void loadWorkingCopy(const CParameters& definition) = 0;
    virtual void commit(CParameters& definition) const = 0;
    virtual void activate() {}
    virtual bool deactivate() { return true; }

protected:
    EditorContext& context() const { return context_; }

private:
    int dialogId_;
    EditorContext& context_;
};

} // namespace formwick
