// One QApplication for the widget tests of this program.  Another test file
// may have made one already; then that one is used.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "test_calendar";
            static char *argv[] = {name, nullptr};
            app_ = new QApplication(argc, argv);
        }
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication *app_ = nullptr;
};

const auto *const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
