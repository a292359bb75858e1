// Favourite parameter lists into the ten slots.

#include <gtest/gtest.h>

#include "app/core/ParameterList.h"
#include "platform/framework/base/Exceptions.h"

namespace {

TEST(ParameterList, ValuesFillTheSlotsAndTheRestBecomesZero) {
  struct Case {
    const wchar_t* List;
    int Count;
    std::array<int, 10> Slots;
  } cases[] = {
      {L"1,2,3,4,5,6,7,8,9,10", 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {L"200,70,40", 3, {200, 70, 40}},
      {L"-13, 99,  +55", 3, {-13, 99, 55}},
      {L"7", 1, {7}},
  };
  for (const auto& c : cases) {
    FavoriteParams.fill(-1);
    EXPECT_EQ(ParseParameterList(c.List), c.Count) << c.List;
    EXPECT_EQ(FavoriteParams, c.Slots) << c.List;
  }
}

TEST(ParameterList, BadListsRaiseAndLeaveTheSlots) {
  struct Case {
    const wchar_t* List;
    const wchar_t* Message;
  } cases[] = {
      {L"", L"'' is not a valid integer value"},
      {L"1,,2", L"'' is not a valid integer value"},
      {L"1,2,", L"'' is not a valid integer value"},
      {L"1,x", L"'x' is not a valid integer value"},
      {L"1,2 ", L"'2 ' is not a valid integer value"},
      {L"1,$10", L"'$10' is not a valid integer value"},
      {L"1,2,3,4,5,6,7,8,9,10,11", L"The parameter list holds more than ten values."},
  };
  const std::array<int, 10> before{9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  for (const auto& c : cases) {
    FavoriteParams = before;
    try {
      ParseParameterList(c.List);
      ADD_FAILURE() << "no error for " << testing::PrintToString(String(c.List));
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    EXPECT_EQ(FavoriteParams, before);
  }
}

}  // namespace
