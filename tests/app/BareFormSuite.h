#pragma once

#include "common/AppTestSupport.h"

#include "ui/MainWindowForm.h"

#include <QMainWindow>

#include <gtest/gtest.h>

#include <memory>

namespace vxo::test {

// A suite that shares one bare form: a plain QMainWindow with the form set
// up on it, before any main-window code runs, so the form's units can be
// tested without the whole window.
class BareFormSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        appTestApplication();
        window = std::make_unique<QMainWindow>();
        form = std::make_unique<Ui::MainWindow>();
        setupForm(*form, *window);
    }

    static void TearDownTestSuite()
    {
        form.reset();
        window.reset();
    }

    inline static std::unique_ptr<QMainWindow> window;
    inline static std::unique_ptr<Ui::MainWindow> form;
};

} // namespace vxo::test
