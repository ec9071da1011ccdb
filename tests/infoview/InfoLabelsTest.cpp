#include <gtest/gtest.h>

#include "infoview/InfoLabels.h"

using namespace kelvane;

TEST(InfoLabels, labelsNameTheirFields) {
    EXPECT_EQ(FieldOfLabel("Default Value"), EditField::DefaultValue);
    EXPECT_EQ(FieldOfLabel("Description(Max:1024 bytes)"), EditField::FunctionDescription);
    EXPECT_FALSE(FieldOfLabel("Number of Parameters").has_value());
    EXPECT_FALSE(FieldOfLabel("default value").has_value());
    EXPECT_TRUE(IsParameterField(EditField::ParameterDescription));
    EXPECT_FALSE(IsParameterField(EditField::FunctionDescription));
    EXPECT_FALSE(IsEditableField(EditField::Attribute));
}
