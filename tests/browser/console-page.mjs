// The console's page in Debian's headless Chromium, as a person at a browser uses it:
//   node console-page.mjs URL TOKEN PROFILE_FOLDER
// loads the page, enters the token, presses 播放 and waits for the status and the live view to
// change, reloads (the tab keeps the token), presses 停止. Exits 0 when all of it happened.
import puppeteer from "puppeteer-core";

const [url, token, profile] = process.argv.slice(2);
const step = (text) => console.log("browser: " + text);

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  userDataDir: profile,
  args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run"],
});
let failed = false;
try {
  const page = await browser.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push("page error: " + error.message));
  page.on("console", (m) => {
    if (m.type() === "error" && !m.text().startsWith("Failed to load resource"))
      problems.push("console: " + m.text());
  });
  page.on("response", (r) => {
    if (r.status() >= 400 && !r.url().endsWith("/favicon.ico"))
      problems.push(r.status() + " for " + r.url());
  });
  page.on("requestfailed", (r) => problems.push("request failed: " + r.url()));
  const outside = [];
  page.on("request", (r) => {
    if (!r.url().startsWith(url) && !r.url().startsWith("blob:")) outside.push(r.url());
  });

  await page.goto(url, { waitUntil: "load" });
  const title = await page.title();
  if (title !== "同步屏控制台") throw new Error("the page's title is " + title);
  await page.waitForSelector("#login:not([hidden])", { timeout: 10000 });
  step("the page asks for the token");
  await page.type("#token", token);
  await page.click("#enter");
  await page.waitForFunction(() => document.querySelector("#s-playing").textContent === "已停止",
                             { timeout: 10000 });
  // The live view: one picture, the screen window's, and a fingerprint of its pixels.
  const fingerprint = () => page.evaluate(() => {
    const img = document.querySelector("#screen");
    if (!img.complete || !img.naturalWidth) return null;
    const canvas = document.createElement("canvas");
    canvas.width = img.naturalWidth;
    canvas.height = img.naturalHeight;
    const context = canvas.getContext("2d");
    context.drawImage(img, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    let sum = 0;
    for (let i = 0; i < data.length; i += 4)
      sum = (sum * 31 + data[i] + data[i + 1] * 3 + data[i + 2] * 7) % 1000000007;
    return canvas.width + "x" + canvas.height + ":" + sum;
  });
  await page.waitForFunction(() => document.querySelector("#screen").naturalWidth > 0,
                             { timeout: 10000 });
  const before = await fingerprint();
  step("live view before play: " + before);

  await page.click("#play");
  await page.waitForFunction(() => document.querySelector("#s-playing").textContent === "正在播放",
                             { timeout: 10000 });
  const pageText = await page.$eval("#s-page", (e) => e.textContent);
  if (pageText !== "Page1（第1页）") throw new Error("the status's page is " + pageText);
  step("status: playing " + pageText);
  let after = before;
  for (let i = 0; i < 100 && (after === before || after === null); i++) {
    await new Promise((r) => setTimeout(r, 100));
    after = await fingerprint();
  }
  if (after === before) throw new Error("the live view did not change after 播放");
  if (after.split(":")[0] !== before.split(":")[0]) throw new Error("the live view changed size");
  step("live view while playing: " + after);

  // Once per tab: a reload keeps the token and asks nothing.
  await page.reload({ waitUntil: "load" });
  await page.waitForFunction(() => document.querySelector("#s-playing").textContent === "正在播放",
                             { timeout: 10000 });
  if (await page.$eval("#login", (e) => !e.hidden)) throw new Error("asked for the token again");
  step("the reloaded tab kept the token");

  await page.click("#stop");
  await page.waitForFunction(() => document.querySelector("#s-playing").textContent === "已停止",
                             { timeout: 10000 });
  await page.waitForFunction(() => document.querySelectorAll("#log tr").length >= 2,
                             { timeout: 10000 });
  const log = await page.$$eval("#log tr", (rows) => rows.map((r) => r.textContent));
  step("today's log: " + JSON.stringify(log));
  if (!log.some((row) => row.includes("开始") && row.includes("Page1")))
    throw new Error("no start in the log");
  if (outside.length) throw new Error("requests outside the player: " + outside.join(" "));
  if (problems.length) throw new Error(problems.join("\n"));
  step("ok");
} catch (error) {
  failed = true;
  console.error("browser: FAILED: " + error.message);
} finally {
  await browser.close();
}
process.exit(failed ? 1 : 0);
