// The page's states that axe-core must find nothing in: just loaded; results
// and the Levels section shown (with a sighting, a level of one's own and a
// conflict); the error message open.
import { axeViolations } from "./page_driver.mjs";

// Walks the page through its states; returns "state: violation" lines.
export async function violationsInEachState(page) {
  const found = [];
  const check = async (state) => {
    for (const violation of await axeViolations(page)) found.push(`${state}: ${violation}`);
  };
  await check("just loaded");

  await page.click("#btn_addsighting");
  for (const [box, text] of [["txt_level", "99"], ["txt_hpval", "487"], ["txt_mpval", "60"],
    ["txt_paval", "22"], ["txt_maval", "74"]]) {
    await page.fill(`[id="sightings[2]/${box}"]`, text);
  }
  await page.fill("#txt_newlevel", "37");
  await page.click("#btn_addlevel");
  await page.click("#btn_calc");
  await page.waitForSelector("#narrowed-table:not([hidden])");
  await check("results, levels and a conflict shown");

  await page.fill("#txt_mpm", "0");
  await page.click("#btn_calc");
  await page.waitForSelector("#backdrop:not([hidden])");
  await check("the error message open");
  await page.keyboard.press("Escape");
  await page.fill("#txt_mpm", "108");
  return found;
}
