#include <gtest/gtest.h>
#include "window/Form1Layout.h"
TEST(Smoke, Builds) {
    wordrop::window::Form f(wordrop::window::form1Spec(), wordrop::window::form1Layout());
    EXPECT_EQ(f.controls().size(), 50u);
}
