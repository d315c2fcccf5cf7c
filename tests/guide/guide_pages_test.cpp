// The installed guide and help pages: every link and picture reference resolves, every anchor
// exists, every picture decodes, and every help context has its page.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "guide/help/help_topics.h"

namespace {

namespace fs = std::filesystem;

const fs::path kHelpFolder = fs::path(TRIMORA_PROGRAM_DIR) / "Hilfe";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> Pages() {
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(kHelpFolder)) {
    if (entry.path().extension() == ".html") pages.push_back(entry.path());
  }
  return pages;
}

// The anchors a page offers: name="x" and id="x".
std::set<std::string> Anchors(const std::string& html) {
  std::set<std::string> anchors;
  static const std::regex kAnchor(R"re((?:name|id)\s*=\s*"([^"]+)")re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kAnchor);
       it != std::sregex_iterator(); ++it)
    anchors.insert((*it)[1]);
  return anchors;
}

TEST(GuidePages, EveryReferenceOfEveryPageResolves) {
  const std::vector<fs::path> pages = Pages();
  ASSERT_GE(pages.size(), 10u) << kHelpFolder;
  static const std::regex kReference(R"re((href|src)\s*=\s*"([^"]*)")re");
  std::set<fs::path> pictures;
  for (const fs::path& page : pages) {
    const std::string html = ReadAll(page);
    EXPECT_NE(html.find("<title>"), std::string::npos) << page;
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), kReference);
         it != std::sregex_iterator(); ++it) {
      const std::string kind = (*it)[1];
      const std::string target = (*it)[2];
      const std::string where = page.filename().string() + ": " + target;
      ASSERT_FALSE(target.empty()) << where;
      if (target.rfind("https://", 0) == 0 || target.rfind("mailto:", 0) == 0) continue;
      EXPECT_EQ(target.find("://"), std::string::npos) << where;
      const std::size_t hash = target.find('#');
      const std::string file = target.substr(0, hash);
      const fs::path resolved = file.empty() ? page : page.parent_path() / file;
      ASSERT_TRUE(fs::is_regular_file(resolved)) << where;
      if (hash != std::string::npos) {
        EXPECT_TRUE(Anchors(ReadAll(resolved)).count(target.substr(hash + 1))) << where;
      }
      if (kind == "src") {
        pictures.insert(fs::canonical(resolved));
        const QImage picture(QString::fromStdString(resolved.string()));
        EXPECT_FALSE(picture.isNull()) << where;
        // The guide window's first size shows it without scrolling sideways.
        EXPECT_LE(picture.width(), 400) << where;
      }
    }
  }
  // Every picture made for the guide is shown somewhere.
  for (const auto& entry : fs::directory_iterator(kHelpFolder / "Bilder"))
    EXPECT_TRUE(pictures.count(fs::canonical(entry.path())))
        << entry.path() << " is shown by no page";
  EXPECT_GE(pictures.size(), 9u);
}

TEST(GuidePages, EveryHelpContextHasItsPageAndEveryPageIsReachableFromTheContents) {
  const std::string contents = ReadAll(kHelpFolder / "Inhalt.html");
  for (const trimora::help::HelpTopic& topic : trimora::help::HelpTopics()) {
    EXPECT_TRUE(fs::is_regular_file(kHelpFolder / topic.page)) << topic.page;
    if (topic.context != 0)
      EXPECT_NE(contents.find(std::string("href=\"") + topic.page + "\""), std::string::npos)
          << topic.page;
  }
  EXPECT_NE(contents.find("href=\"Kurzanleitung.html\""), std::string::npos);
}

}  // namespace
