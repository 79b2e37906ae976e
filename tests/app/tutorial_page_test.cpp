// The tutorial page that ships beside the program says what the scan code says, and the
// pictures it shows are there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kSource = BARVELL_SOURCE_DIR;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(TutorialPage, HoldsEveryLineOfTheScanCodeText) {
  const std::string page = ReadAll(kSource / "docs/tutorial/index.html");
  const std::string text = ReadAll(kSource / "app/templates/tutorial.txt");
  ASSERT_FALSE(page.empty());
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count)
    EXPECT_NE(page.find(line), std::string::npos) << "missing from the page: " << line;
  EXPECT_GE(count, 5);
}

TEST(TutorialPage, EveryPictureItShowsExists) {
  const std::filesystem::path dir = kSource / "docs/tutorial";
  const std::string page = ReadAll(dir / "index.html");
  const std::regex image("<img src=\"([^\"]+)\"");
  int count = 0;
  for (auto m = std::sregex_iterator(page.begin(), page.end(), image); m != std::sregex_iterator();
       ++m, ++count)
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / (*m)[1].str())) << (*m)[1].str();
  EXPECT_GE(count, 3);
}

}  // namespace
