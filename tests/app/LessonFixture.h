// A real main window on the offscreen platform, with errors captured instead of boxed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/MainForm.h"
#include "runtime/NumText.h"
#include "toolkit/Application.h"

struct CapturedError {
    std::string kind;
    std::string message;
};

class LessonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSeparator_ = DecimalSeparator();
        SetDecimalSeparator(',');
        Application()->SetErrorHook([this](QObject*, const Exception& e) {
            errors.push_back({typeid(e).name(), e.Message()});
        });
        form = std::make_unique<TForm1>();
        about = std::make_unique<TForm2>();
        crib = std::make_unique<TForm3>();
        form->SetSecondaryWindows(about.get(), crib.get());
        // Ticks are driven by hand in these tests.
        form->Timer1->SetEnabled(false);
        form->Timer2->SetEnabled(false);
    }

    void TearDown() override
    {
        form.reset();
        about.reset();
        crib.reset();
        Application()->SetErrorHook(nullptr);
        SetDecimalSeparator(savedSeparator_);
    }

    void Type(TEdit* field, const std::string& text) { field->SetText(text); }

    void PressStart() { Application()->Guard(form->xpButton1, [this] { form->xpButton1Click(form->xpButton1); }); }

    static std::string Text(const TEdit* field) { return field->Text(); }

    std::string LastMessage() const { return errors.empty() ? std::string() : errors.back().message; }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> about;
    std::unique_ptr<TForm3> crib;
    std::vector<CapturedError> errors;

private:
    char savedSeparator_ = '.';
};
