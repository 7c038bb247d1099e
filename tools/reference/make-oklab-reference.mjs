// Writes tests/color/OklabReference.inc: conversions, gamut mapping and blends computed by
// colorjs.io (the CSS Color 4 editors' library), for the tests to compare ours against.
// Run it once after a change of the cases, and commit the table, never the library:
//
//   tools/reference/make-oklab-reference.sh
//
import { readFileSync, writeFileSync } from "node:fs";
import { fileURLToPath } from "node:url";
import path from "node:path";
import Color from "colorjs.io";
import { toGamutCSS } from "colorjs.io/fn";

const here = path.dirname(fileURLToPath(import.meta.url));
const outputFlag = process.argv.indexOf("--output");
const output = outputFlag > 0 ? process.argv[outputFlag + 1]
    : path.join(here, "..", "..", "tests", "color", "OklabReference.inc");

// The shortest text that reads back as the same double.
const number = (x) => (Number.isNaN(x) || x === null ? "kNoHue" : String(x));
const srgbOf = (channels) => new Color("srgb", channels.map((c) => c / 255));
const channelsOf = (color) =>
    new Color(color.space, color.coords).to("srgb").coords.map((c) => c * 255);
const triple = (values) => `{${values.map(number).join(", ")}}`;

const lines = [
    "// Made by tools/reference/make-oklab-reference.mjs from colorjs.io " +
        JSON.parse(readFileSync(path.join(here, "node_modules", "colorjs.io", "package.json")))
            .version +
        ". Do not edit.",
    "",
];

// Conversions: sRGB channels 0..255 -> Oklab and OkLCh.
const conversionColours = [
    ["white", [255, 255, 255]], ["black", [0, 0, 0]], ["red", [255, 0, 0]],
    ["green", [0, 255, 0]], ["blue", [0, 0, 255]], ["cyan", [0, 255, 255]],
    ["magenta", [255, 0, 255]], ["yellow", [255, 255, 0]], ["mid grey", [128, 128, 128]],
    ["orange", [255, 128, 0]], ["dark teal", [12, 90, 77]],
    // Channels below 11 decode along the sRGB curve's linear part.
    ["near black", [1, 5, 10]], ["darkest red", [10, 0, 3]],
];
lines.push("inline const ConversionReference kConversionReference[] = {");
for (const [name, channels] of conversionColours) {
    const color = srgbOf(channels);
    const lab = color.to("oklab").coords;
    const lch = color.to("oklch").coords;
    lines.push(`    {"${name}", ${triple(channels)}, ${triple(lab)}, ${triple(lch)}},`);
}
lines.push("};", "");

// Gamut mapping of OkLCh colours outside sRGB (and at the lightness limits).
const gamutColours = [
    [0.7, 0.4, 30], [0.7, 0.4, 150], [0.5, 0.35, 265], [0.9, 0.3, 100], [0.3, 0.2, 330],
    [0.95, 0.1, 200], [0.2, 0.3, 60], [1.0, 0.1, 40], [0.0, 0.1, 40], [0.9999, 0, 0],
];
lines.push("inline const GamutReference kGamutReference[] = {");
for (const lch of gamutColours) {
    const mapped = toGamutCSS(new Color("oklch", lch), { space: "srgb" });
    lines.push(`    {${triple(lch)}, ${triple(channelsOf(mapped))}},`);
}
lines.push("};", "");

// Blends at several t, in Oklab and in OkLCh along each hue path, gamut-mapped to sRGB.
const blendPairs = [
    ["blue to yellow", [0, 0, 255], [255, 255, 0]],
    ["red to cyan", [255, 0, 0], [0, 255, 255]],
    ["grey to orange", [128, 128, 128], [255, 128, 0]],
    ["green to magenta", [0, 200, 40], [230, 20, 200]],
    ["white to blue", [255, 255, 255], [0, 0, 255]],
    ["near black to white", [1, 5, 10], [255, 255, 255]],
];
const hueArcs = [["kDirect", "raw"], ["kShorter", "shorter"], ["kLonger", "longer"],
    ["kIncreasing", "increasing"], ["kDecreasing", "decreasing"]];
const ts = [0.1, 0.25, 0.5, 0.75, 0.9];
lines.push("inline const BlendReference kBlendReference[] = {");
for (const [name, from, to] of blendPairs) {
    const settings = [["BlendSpace::kOklab", "HuePath::kDirect", { space: "oklab" }]];
    for (const [ours, theirs] of hueArcs) {
        settings.push(["BlendSpace::kOklch", `HuePath::${ours}`, { space: "oklch", hue: theirs }]);
    }
    for (const [space, hue, options] of settings) {
        const range = Color.range(srgbOf(from), srgbOf(to), options);
        for (const t of ts) {
            const mapped = toGamutCSS(range(t), { space: "srgb" });
            lines.push(`    {"${name}", ${triple(from)}, ${triple(to)}, ${space}, ${hue}, ${t}, ` +
                `${triple(channelsOf(mapped))}},`);
        }
    }
}
lines.push("};");

writeFileSync(output, lines.join("\n") + "\n");
console.log(`wrote ${output}`);
