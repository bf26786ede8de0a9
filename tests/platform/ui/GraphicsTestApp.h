#pragma once
// A Qt application for drawing tests (fonts and palette need one). It is
// made before the first test and destroyed after the last, while Qt's own
// globals still exist.
#include <gtest/gtest.h>
#include <QApplication>
#include <memory>

class TGraphicsTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QApplication::instance())
            FApp = std::make_unique<QApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[14] = "graphics-test";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

inline ::testing::Environment* const GraphicsTestEnvironment = ::testing::AddGlobalTestEnvironment(
    new TGraphicsTestEnvironment);

inline void EnsureGraphicsTestApp()
{
    ASSERT_NE(QApplication::instance(), nullptr);
}
