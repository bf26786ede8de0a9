#pragma once
// What the application asks of the forms it owns, so that it need not know
// the form class: TForm implements it.
class TApplicationForm {
public:
    // Fires OnCreate; CreateForm calls it once the form is fully built.
    virtual void DoCreate() = 0;
    // Fires OnDestroy while the whole form still exists.
    virtual void DoDestroy() = 0;
    virtual void Show() = 0;

protected:
    ~TApplicationForm() = default;
};
