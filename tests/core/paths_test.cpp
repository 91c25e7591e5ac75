#include "wizard/paths.h"

#include <gtest/gtest.h>

using namespace kobalin;

namespace {

struct PathCase {
    std::u16string path;
    std::u16string fileName;
    std::u16string fileDir;
    std::u16string layerFile;  // ChangeFileExt(path, ".xml_layer.csv")
};

std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

void check(const PathCase& c, PathStyle style)
{
    SCOPED_TRACE(narrow(c.path));
    EXPECT_EQ(ExtractFileName(c.path, style), c.fileName);
    EXPECT_EQ(ExtractFileDir(c.path, style), c.fileDir);
    EXPECT_EQ(ChangeFileExt(c.path, u".xml_layer.csv", style), c.layerFile);
}

}  // namespace

TEST(Paths, WindowsPathsWithFoldersAndDrives)
{
    const PathCase cases[] = {
        {u"D:\\proj\\road.xml", u"road.xml", u"D:\\proj", u"D:\\proj\\road.xml_layer.csv"},
        {u"D:\\m\\plan.lin", u"plan.lin", u"D:\\m", u"D:\\m\\plan.xml_layer.csv"},
        {u"D:\\m\\a.b.xml", u"a.b.xml", u"D:\\m", u"D:\\m\\a.b.xml_layer.csv"},
        {u"D:\\m\\plan", u"plan", u"D:\\m", u"D:\\m\\plan.xml_layer.csv"},
        {u"D:\\plan.xml", u"plan.xml", u"D:\\", u"D:\\plan.xml_layer.csv"},
        {u"D:road.xml", u"road.xml", u"D:", u"D:road.xml_layer.csv"},
        {u"D:\\x.y\\plan", u"plan", u"D:\\x.y", u"D:\\x.y\\plan.xml_layer.csv"},
        {u"\\\\server\\share\\r.xml", u"r.xml", u"\\\\server\\share", u"\\\\server\\share\\r.xml_layer.csv"},
        {u"road.xml", u"road.xml", u"", u"road.xml_layer.csv"},
        {u"", u"", u"", u".xml_layer.csv"},
        // "/" is no separator in a Windows path.
        {u"C:/jobs/road.xml", u"/jobs/road.xml", u"C:", u"C:/jobs/road.xml_layer.csv"},
    };
    for (const auto& c : cases)
        check(c, PathStyle::Windows);
}

TEST(Paths, PosixPathsHaveOnlySlashes)
{
    const PathCase cases[] = {
        {u"/home/ann/road.xml", u"road.xml", u"/home/ann", u"/home/ann/road.xml_layer.csv"},
        {u"/home/ann/plan.lin", u"plan.lin", u"/home/ann", u"/home/ann/plan.xml_layer.csv"},
        {u"/m/a.b.xml", u"a.b.xml", u"/m", u"/m/a.b.xml_layer.csv"},
        {u"/m/plan", u"plan", u"/m", u"/m/plan.xml_layer.csv"},
        {u"/plan.xml", u"plan.xml", u"/", u"/plan.xml_layer.csv"},
        {u"/x.y/plan", u"plan", u"/x.y", u"/x.y/plan.xml_layer.csv"},
        {u"D:\\m\\road.xml", u"D:\\m\\road.xml", u"", u"D:\\m\\road.xml_layer.csv"},
    };
    for (const auto& c : cases)
        check(c, PathStyle::Posix);
}

TEST(Paths, JoinsAFolderAndANameWithOneSeparator)
{
    EXPECT_EQ(joinPath(u"D:\\jobs", u"_layer.csv", PathStyle::Windows), u"D:\\jobs\\_layer.csv");
    EXPECT_EQ(joinPath(u"D:\\", u"_layer.csv", PathStyle::Windows), u"D:\\_layer.csv");
    EXPECT_EQ(joinPath(u"/home/ann", u"_layer.csv", PathStyle::Posix), u"/home/ann/_layer.csv");
    EXPECT_EQ(joinPath(u"/", u"_layer.csv", PathStyle::Posix), u"/_layer.csv");
}
