// The page's figure set holds the batch's PNG pictures under the batch's names, pixel for pixel
// the native ones, and the batch's index.json.
const fs = require("fs");
const path = require("path");
const fflate = require("fflate");
const { test, expect, DEMO, OpenDemo, Downloaded, Cli, TemporaryFolder } = require("./page-fixture");

test("the ZIP is the native figure set", async ({ page }) => {
    const native = TemporaryFolder("native");
    const unzipped = TemporaryFolder("zip");
    Cli("render", DEMO, "--all", "--format", "png", "-o", native);
    await OpenDemo(page);
    const zip = await Downloaded(page, "#figure-set");
    expect(zip.name).toBe("demo-figures.zip");
    const entries = fflate.unzipSync(new Uint8Array(zip.bytes));
    for (const [name, bytes] of Object.entries(entries)) {
        fs.writeFileSync(path.join(unzipped, name), bytes);
    }
    const nativeNames = fs.readdirSync(native).filter((name) => name !== "index.html").sort();
    expect(Object.keys(entries).sort()).toEqual(nativeNames);
    expect(nativeNames.filter((name) => name.endsWith(".png"))).toHaveLength(70);
    expect(fs.readFileSync(path.join(unzipped, "index.json"), "utf8"))
        .toBe(fs.readFileSync(path.join(native, "index.json"), "utf8"));
    // Pairs by name, decodes both and exits 0 only when every pixel of every pair is the same.
    fs.rmSync(path.join(native, "index.html"));
    Cli("compare", native, unzipped);
});
