// The toolbar strip and its disabled look.
#include "picture_operations.h"

#include <gtest/gtest.h>

namespace pic = tavrin::pictures;

TEST(PictureImages, StripPlacesPicturesLeftToRight) {
  pic::Image a(2, 2, {1, 0, 0, 255}), b(2, 2, {2, 0, 0, 255});
  pic::Image s = pic::strip({a, b});
  ASSERT_EQ(s.width, 4);
  EXPECT_EQ(s.at(1, 1).r, 1);
  EXPECT_EQ(s.at(2, 0).r, 2);
}

TEST(PictureImages, GreyedKeepsClearAndLightens) {
  pic::Image image(3, 1);
  image.at(0, 0) = {0, 0, 0, 255};
  image.at(1, 0) = {255, 0, 0, 255};
  pic::Image grey = pic::greyed(image);
  EXPECT_EQ(grey.at(2, 0).a, 0);
  for (int x = 0; x < 2; ++x) {
    pic::Rgba p = grey.at(x, 0);
    EXPECT_EQ(p.r, p.g);
    EXPECT_EQ(p.g, p.b);
  }
  EXPECT_GT(grey.at(0, 0).r, 90);              // black comes out mid grey
  EXPECT_GT(grey.at(1, 0).r, grey.at(0, 0).r); // brighter stays brighter
}
