// Writes tests/color/CssColorReference.inc: colours read from CSS text, converted into
// every interpolation space and blended there, computed by colorjs.io (the CSS Color 4
// editors' library), for the tests to compare ours against. Run it through
// tools/reference/make-oklab-reference.sh, and commit the table, never the library.
//
// colorjs.io maps both ends into the interpolation space's gamut before it blends, which
// CSS does not; the blends therefore start from colours inside that gamut. It does not
// carry missing components from one space to another, so those blend in their own space.
import { readFileSync, writeFileSync } from "node:fs";
import { fileURLToPath } from "node:url";
import path from "node:path";
import Color from "colorjs.io";

const here = path.dirname(fileURLToPath(import.meta.url));
const outputFlag = process.argv.indexOf("--output");
const output = outputFlag > 0 ? process.argv[outputFlag + 1]
    : path.join(here, "..", "..", "tests", "color", "CssColorReference.inc");

// colorjs.io's name of each InterpolationSpace.
const spaces = {
    srgb: "kSrgb", "srgb-linear": "kSrgbLinear", p3: "kDisplayP3", a98rgb: "kA98Rgb",
    prophoto: "kProphotoRgb", rec2020: "kRec2020", lab: "kLab", oklab: "kOklab",
    "xyz-d50": "kXyzD50", "xyz-d65": "kXyzD65", hsl: "kHsl", hwb: "kHwb", lch: "kLch",
    oklch: "kOklch",
};
const paths = { shorter: "kShorter", longer: "kLonger", increasing: "kIncreasing",
    decreasing: "kDecreasing" };
// HSL's and HWB's percentages are fractions in ours.
const scales = { hsl: [1, 100, 100], hwb: [1, 100, 100] };

const number = (x) => (x === null || Number.isNaN(x) ? "kNone" : String(x));
const list = (values) => `{${values.map(number).join(", ")}}`;
// Extended sRGB and alpha; a missing alpha shows as 0.
const srgbOf = (color) => {
    const srgb = color.to("srgb");
    return list([...srgb.coords, srgb.alpha ?? 0]);
};

const lines = [
    "// Made by tools/reference/make-css-color-reference.mjs from colorjs.io " +
        JSON.parse(readFileSync(path.join(here, "node_modules", "colorjs.io", "package.json")))
            .version +
        ". Do not edit.",
    "",
];

// Every colour function with its units, "none", alpha and clamps, in extended sRGB. CSS
// clamps Lab's lightness where the text is read, colorjs.io does not: a second text gives
// the clamped colour.
const readings = [
    ["lab(50 40 -30)"], ["LAB(62.5% -80% 50% / 0.5)"], ["lab(120 0 0)", "lab(100 0 0)"],
    ["lab(-5 10 10)", "lab(0 10 10)"], ["lab(40 none 60 / none)"], ["lch(70 45 60)"],
    ["lch(50% 40% 0.75turn)"], ["lch(60 -20 300)"], ["lch(80 120 140)"],
    ["color(srgb 1 0.5 0)"], ["color(srgb-linear 20% 0.5 -0.1)"], ["color(display-p3 1 0 0)"],
    ["color(a98-rgb 0 1 0 / 25%)"], ["color(prophoto-rgb 0.2861 0.49131 0.16133)"],
    ["color(prophoto-rgb 0.01 0.02 1.2)"], ["color(rec2020 0.3 0.6 0.9)"],
    ["color(xyz 0.2 0.3 0.4)"], ["color(xyz-d50 0.2 0.3 0.4)"], ["color(xyz-d65 50% none 40%)"],
];
lines.push("inline const ReadingReference kReadingReference[] = {");
for (const [text, clamped = text] of readings) {
    lines.push(`    {"${text}", ${srgbOf(new Color(clamped))}},`);
}
lines.push("};", "");

// Colours, a grey and one beyond sRGB among them, in each space's components.
const conversionColours = ["#ff8000", "white", "color(display-p3 0 1 0.2)"];
lines.push("inline const ConversionReference kConversionReference[] = {");
for (const text of conversionColours) {
    for (const [id, name] of Object.entries(spaces)) {
        const coords = new Color(text).to(id).coords;
        const scale = scales[id] || [1, 1, 1];
        lines.push(`    {"${text}", InterpolationSpace::${name}, ` +
            `${list(coords.map((c, i) => (c === null ? c : c / scale[i])))}},`);
    }
}
lines.push("};", "");

// Blends: every space, every hue path both ways round, premultiplied alpha, a grey's hue
// and missing components.
const blends = [];
for (const id of Object.keys(spaces)) {
    blends.push(["rgb(250 200 0 / 0.8)", "hsl(200 70% 40% / 0.3)", id, "shorter", 0.6]);
}
// The hue sits first in HSL and HWB, last in LCh and OkLCh.
for (const id of ["hsl", "hwb", "lch", "oklch"]) {
    blends.push(["white", "rgb(30 60 160)", id, "shorter", 0.5]);
}
// Both ways round: one way increasing is the longer path, the other way the shorter.
for (const id of ["hsl", "oklch"]) {
    for (const arc of Object.keys(paths)) {
        blends.push(["rgb(200 120 40)", "rgb(170 60 200)", id, arc, 0.5]);
        blends.push(["rgb(170 60 200)", "rgb(200 120 40)", id, arc, 0.5]);
    }
}
blends.push(
    ["oklch(0.8 0.05 none)", "oklch(0.4 0.15 250)", "oklch", "longer", 0.25],
    ["lab(none 20 -30)", "lab(40 none 60)", "lab", "shorter", 0.4],
    ["hsl(none 80% 40%)", "hsl(40 30% 60%)", "hsl", "shorter", 0.4],
    ["color(rec2020 0.2 none 0.8 / none)", "color(rec2020 0.9 0.5 none / 0.4)", "rec2020", "shorter", 0.7],
    ["color(display-p3 0 1 0.2)", "lab(30 60 -90)", "oklab", "shorter", 0.5],
    ["lch(50 none 30)", "lch(50 none 200)", "lch", "shorter", 0.5],
);
lines.push("inline const BlendReference kBlendReference[] = {");
for (const [from, to, id, arc, t] of blends) {
    const blend = Color.range(from, to, { space: id, hue: arc, premultiplied: true })(t);
    lines.push(`    {"${from}", "${to}", {InterpolationSpace::${spaces[id]}, HuePath::${paths[arc]}}, ` +
        `${t}, ${srgbOf(new Color(blend.space, blend.coords, blend.alpha))}},`);
}
lines.push("};");

writeFileSync(output, lines.join("\n") + "\n");
console.log(`wrote ${output}`);
