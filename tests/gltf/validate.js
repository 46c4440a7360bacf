// Runs the Khronos glTF validator over one .gltf or .glb file, loading the
// files it refers to from beside it. Prints the error and warning counts
// and every error; exits 1 when there are errors, 2 when it cannot run.
//   node validate.js FILE   (gltf-validator from npm on NODE_PATH)
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const file = process.argv[2];
if (!file) {
  console.error('usage: node validate.js FILE');
  process.exit(2);
}
const full = path.resolve(file);
validator.validateBytes(new Uint8Array(fs.readFileSync(full)), {
  uri: path.basename(full),
  maxIssues: 100,
  externalResourceFunction: (uri) => new Promise((resolve, reject) => {
    fs.readFile(path.resolve(path.dirname(full), decodeURIComponent(uri)), (err, data) => {
      if (err) {
        reject(err.toString());
      } else {
        resolve(new Uint8Array(data));
      }
    });
  }),
}).then((report) => {
  const issues = report.issues;
  console.log(`errors ${issues.numErrors} warnings ${issues.numWarnings}`);
  for (const message of issues.messages) {
    if (message.severity === 0) {
      console.log(`error ${message.code} ${message.pointer || ''}: ${message.message}`);
    }
  }
  process.exit(issues.numErrors > 0 ? 1 : 0);
}, (error) => {
  console.error(error);
  process.exit(2);
});
