// A homework set as a SCORM 1.2 package for an LMS: a zip (fflate) holding imsmanifest.xml
// and the single-file page with the set inside it. The set travels in a <meta> element of
// the page rather than in the launch address, whose fragment many LMSs drop, and a <meta>
// needs no hash in a Content-Security-Policy.
import { Zip, ZipPassThrough } from 'fflate';
import { fnv1a64, setMetaName, setText } from './homework.js';

export const launchFile = 'cube-rotation.html';

const xmlText = (text) => text.replace(/[&<>"']/g, (c) => `&#${c.charCodeAt(0)};`);

// The manifest: one organization with one item, whose resource is the page as a SCO, and the
// pass mark as the mastery score. Its identifier follows the set, so that an LMS sees a
// changed set as a new version of the package.
function manifest(set) {
  const id = `cube-rotation-${fnv1a64(new TextEncoder().encode(setText(set))).toString(16)}`;
  const title = xmlText(set.title);
  return `<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier="${id}" version="1.0" xmlns="http://www.imsproject.org/xsd/imscp_rootv1p1p2"
  xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_rootv1p2" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
  xsi:schemaLocation="http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd">
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>1.2</schemaversion>
  </metadata>
  <organizations default="homework">
    <organization identifier="homework">
      <title>${title}</title>
      <item identifier="homework-item" identifierref="page" isvisible="true">
        <title>${title}</title>
        <adlcp:masteryscore>${set.passMark}</adlcp:masteryscore>
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="page" type="webcontent" adlcp:scormtype="sco" href="${launchFile}">
      <file href="${launchFile}"/>
    </resource>
  </resources>
</manifest>
`;
}

const metaTag = new RegExp(`<meta name="${setMetaName}" content="[^"]*">\\n?`, 'g');

// The single-file page `html` carrying `set` in its head, in place of any set it carried. Only
// the head is touched: the page's scripts may hold the same words.
export function pageWithSet(html, set) {
  const end = html.search(/<\/head>/i);
  if (end < 0) {
    throw new Error('the page has no </head>');
  }
  const meta = `<meta name="${setMetaName}" content="${setText(set)}">\n`;
  return `${html.slice(0, end).replace(metaTag, '')}${meta}${html.slice(end)}`;
}

// The single file's text when the page is the single file, else null (the page as files,
// whose single file, launchFile, is beside it). Taken before the page changes its document,
// its inline scripts exactly as they are.
export const ownSingleFile = (doc) => (doc.querySelector('script[src]') ? null
  : `<!DOCTYPE html>\n${doc.documentElement.outerHTML}`);

// The zip of the package, stored (deflate's code would be in every page's script for a
// download that is rarely made), dated 2026-01-01 in local time so that the same set gives the same bytes.
export function lmsPackage(html, set) {
  const parts = [];
  const zip = new Zip((error, chunk) => {
    if (error) {
      throw error;
    }
    parts.push(chunk);
  });
  const encoder = new TextEncoder();
  for (const [name, text] of [['imsmanifest.xml', manifest(set)], [launchFile, pageWithSet(html, set)]]) {
    const file = new ZipPassThrough(name);
    file.mtime = new Date(2026, 0, 1);
    zip.add(file);
    file.push(encoder.encode(text), true);
  }
  zip.end();
  const bytes = new Uint8Array(parts.reduce((sum, part) => sum + part.length, 0));
  parts.reduce((at, part) => {
    bytes.set(part, at);
    return at + part.length;
  }, 0);
  return bytes;
}
