// The room host's web side answers for the files of the web client under one folder, and for
// nothing outside it however the path is spelled.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "net/HttpFiles.h"
#include "support/TempFolder.h"

namespace trundlex {
namespace {

using testing::TempFolder;

class HttpFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("web/index.html", "<!doctype html><title>Trundlex</title>");
        folder.write("web/assets/game.wasm", std::string(100, 'w'));
        folder.write("web/assets/game.js", "console.log(1)");
        folder.write("web/assets/game.js.gz", "gz");
        folder.write("web/assets/game.js.br", "br");
        folder.write("web/levels/readme.txt", "levels");
        folder.write("secret.txt", "private");
    }
    HttpFiles::Response get(const std::string& target, const std::string& encodings = {},
                            const std::string& method = "GET") {
        return files().answer({method, target, encodings, {}});
    }
    HttpFiles files() const { return HttpFiles(folder / "web"); }

    TempFolder folder;
};

TEST_F(HttpFilesTest, FilesComeWithTheirTypeAndAFolderWithItsIndex) {
    const auto page = get("/");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.file.filename(), "index.html");
    EXPECT_EQ(page.header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(page.header("Cache-Control"), "no-cache") << "the page is checked each time";
    const auto wasm = get("/assets/game.wasm?v=2#x");
    EXPECT_EQ(wasm.status, 200);
    EXPECT_EQ(wasm.header("Content-Type"), "application/wasm");
    EXPECT_EQ(wasm.fileSize, 100u);
    EXPECT_EQ(get("/assets/ga%6De.wasm").file, wasm.file) << "escapes are decoded";
    EXPECT_EQ(HttpFiles::mediaType("x.bin"), "application/octet-stream");
}

TEST_F(HttpFilesTest, HeadIsAGetWithoutItsBodyAndAKnownETagGetsNotModified) {
    const auto got = get("/assets/game.wasm");
    const auto head = get("/assets/game.wasm", {}, "HEAD");
    EXPECT_TRUE(head.headOnly);
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.headers, got.headers);
    ASSERT_FALSE(got.header("ETag").empty());
    const auto again = files().answer({"GET", "/assets/game.wasm", {}, got.header("ETag")});
    EXPECT_EQ(again.status, 304);
    EXPECT_TRUE(again.file.empty());
    folder.write("web/assets/game.wasm", std::string(101, 'w'));
    EXPECT_NE(get("/assets/game.wasm").header("ETag"), got.header("ETag")) << "a changed file";
}

TEST_F(HttpFilesTest, NoPathLeavesTheFolderHoweverItIsSpelled) {
    for (const std::string target :
         {"/../secret.txt", "/assets/../../secret.txt", "/%2e%2e/secret.txt", "/%2E%2E/secret.txt",
          "/assets/%2e%2e/%2e%2e/secret.txt", "/./index.html", "/..", "/levels/.."}) {
        const auto answer = get(target);
        EXPECT_EQ(answer.status, 404) << target;
        EXPECT_TRUE(answer.file.empty()) << target;
    }
    for (const std::string target :
         {"/%2f..%2fsecret.txt", "/..%5csecret.txt", "/..\\secret.txt", "/x%00.html", "/%zz",
          "/%2", "secret.txt", "http://elsewhere/secret.txt", ""}) {
        EXPECT_EQ(get(target).status, 400) << target;
    }
    std::error_code error;
    std::filesystem::create_symlink(folder / "secret.txt", folder / "web/link.txt", error);
    std::filesystem::create_directory_symlink(folder.path(), folder / "web/up", error);
    if (!error) {
        EXPECT_EQ(get("/link.txt").status, 404) << "a link pointing out";
        EXPECT_EQ(get("/up/secret.txt").status, 404) << "a folder link pointing out";
    }
}

TEST_F(HttpFilesTest, NoListingsAndOnlyGetAndHead) {
    EXPECT_EQ(get("/levels/").status, 404) << "a folder without an index is not listed";
    EXPECT_EQ(get("/nothing.html").status, 404);
    for (const std::string method : {"POST", "PUT", "DELETE", "OPTIONS", "get"}) {
        const auto answer = get("/", {}, method);
        EXPECT_EQ(answer.status, 405) << method;
        EXPECT_EQ(answer.header("Allow"), "GET, HEAD") << method;
    }
}

TEST_F(HttpFilesTest, APrecompressedFileIsSentToABrowserThatTakesIt) {
    const auto brotli = get("/assets/game.js", "gzip, deflate, br");
    EXPECT_EQ(brotli.header("Content-Encoding"), "br");
    EXPECT_EQ(brotli.file.filename(), "game.js.br");
    EXPECT_EQ(brotli.header("Content-Type"), "text/javascript; charset=utf-8")
        << "the type of what it unpacks to";
    EXPECT_EQ(get("/assets/game.js", "gzip").file.filename(), "game.js.gz");
    EXPECT_EQ(get("/assets/game.js", "br;q=0, gzip").header("Content-Encoding"), "gzip");
    const auto plain = get("/assets/game.js", "identity");
    EXPECT_EQ(plain.file.filename(), "game.js");
    EXPECT_EQ(plain.header("Content-Encoding"), "");
    EXPECT_EQ(plain.header("Vary"), "Accept-Encoding");
    std::filesystem::remove(folder / "web/assets/game.js.br");
    std::error_code error;
    std::filesystem::create_symlink(folder / "secret.txt", folder / "web/assets/game.js.br",
                                    error);
    if (!error) {
        EXPECT_EQ(get("/assets/game.js", "br").file.filename(), "game.js")
            << "a packed file pointing out is not sent";
    }
}

TEST_F(HttpFilesTest, APackedCopyOlderThanItsFileIsNotSent) {
    const auto script = folder / "web/assets/game.js";
    const auto packed = std::filesystem::last_write_time(folder / "web/assets/game.js.gz");
    std::filesystem::last_write_time(script, packed + std::chrono::hours(1));
    const auto answer = get("/assets/game.js", "gzip");
    EXPECT_EQ(answer.file.filename(), "game.js") << "the script was rebuilt after it was packed";
    EXPECT_EQ(answer.header("Content-Encoding"), "");
    std::filesystem::last_write_time(folder / "web/assets/game.js.gz",
                                     packed + std::chrono::hours(2));
    EXPECT_EQ(get("/assets/game.js", "gzip").header("Content-Encoding"), "gzip");
}

TEST_F(HttpFilesTest, IsolationHeadersOnlyWhenAsked) {
    EXPECT_EQ(get("/").header("Cross-Origin-Opener-Policy"), "");
    const auto isolated = HttpFiles(folder / "web", true).answer({"GET", "/", {}, {}});
    EXPECT_EQ(isolated.header("Cross-Origin-Opener-Policy"), "same-origin");
    EXPECT_EQ(isolated.header("Cross-Origin-Embedder-Policy"), "require-corp");
}

}  // namespace
}  // namespace trundlex
