// A real main window on the offscreen platform, with errors captured instead of boxed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
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
        form = std::make_unique<MainWindow>();
        about = std::make_unique<AboutWindow>();
        crib = std::make_unique<CribSheetWindow>();
        form->SetSecondaryWindows(about.get(), crib.get());
        for (TTimer* timer : {form->UpperLane.Timer, form->LowerLane.Timer}) // ticks come by hand: a day apart
            timer->SetInterval(24 * 3600 * 1000);
    }

    void TearDown() override
    {
        form.reset();
        about.reset();
        crib.reset();
        Application()->SetErrorHook(nullptr);
        SetDecimalSeparator(savedSeparator_);
    }

    void Type(TEdit* field, const std::string& text) { field->SetTextFromStart(text); }

    void PressStart() { Application()->Guard(form->StartButton, [this] { form->StartClick(form->StartButton); }); }

    static std::string Text(const TEdit* field) { return field->Utf8Text(); }

    std::string LastMessage() const { return errors.empty() ? std::string() : errors.back().message; }

    std::unique_ptr<MainWindow> form;
    std::unique_ptr<AboutWindow> about;
    std::unique_ptr<CribSheetWindow> crib;
    std::vector<CapturedError> errors;

private:
    char savedSeparator_ = '.';
};
