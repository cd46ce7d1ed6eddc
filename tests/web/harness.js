// Loaded by the test server into the page, after the page's own script and
// before the show's: it wraps the page's Module hooks and reports to the
// server the counter lines, the pictures of the frames asked for (read back
// while they are still in the drawing buffer, as PPM), the page's status
// line and the exit status. ?frames=350,1000 picks the frames; ?escape=N
// presses Escape after frame N is drawn.
(function () {
  var query = new URLSearchParams(location.search);
  var wanted = (query.get('frames') || '').split(',').filter(Boolean).map(Number);
  var escapeAt = query.has('escape') ? Number(query.get('escape')) : -1;
  var lines = [];

  // Synchronous, so that nothing is lost when the show ends and reports
  // arrive in the order of events.
  function post(name, body) {
    var request = new XMLHttpRequest();
    request.open('POST', '/report/' + name, false);
    request.send(body);
  }
  function flushLines() {
    if (lines.length) post('lines', lines.join('\n') + '\n');
    lines = [];
  }
  function readFrame(frame) {
    var gl = Module.ctx;
    var rgba = new Uint8Array(800 * 600 * 4);
    gl.readPixels(0, 0, 800, 600, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    var header = 'P6\n800 600\n255\n';
    var ppm = new Uint8Array(header.length + 800 * 600 * 3);
    for (var i = 0; i < header.length; i++) ppm[i] = header.charCodeAt(i);
    var at = header.length;
    for (var row = 599; row >= 0; row--) {  // GL reads bottom-up; PPM runs top-down
      for (var x = 0; x < 800; x++) {
        var p = (row * 800 + x) * 4;
        ppm[at++] = rgba[p]; ppm[at++] = rgba[p + 1]; ppm[at++] = rgba[p + 2];
      }
    }
    post('frame-' + String(frame).padStart(4, '0') + '.ppm', ppm);
  }
  function status() { return document.getElementById('status').textContent + '\n'; }

  var page = {print: Module.print, printErr: Module.printErr, onFrame: Module.onFrame,
              onExit: Module.onExit, onAbort: Module.onAbort};
  Module.print = function (line) {
    page.print(line);
    lines.push(line);
    if (lines.length >= 500) flushLines();
  };
  Module.printErr = function (line) {
    page.printErr(line);
    post('errors', line + '\n');
  };
  Module.onFrame = function (frame, scene) {
    page.onFrame(frame, scene);
    if (frame === 0) post('first-frame-ms', Math.round(performance.now()) + '\n');
    if (frame === 1000) post('status-at-1000', status());
    if (wanted.indexOf(frame) >= 0) readFrame(frame);
    // Between passes, as a real key press arrives.
    if (frame === escapeAt)
      setTimeout(function () {
        window.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', keyCode: 27, bubbles: true}));
      }, 0);
  };
  Module.onExit = function (code) {
    page.onExit(code);
    flushLines();
    post('status-at-end', status());
    post('problem', document.getElementById('problem').textContent + '\n');
    post('exit', code + '\n');
  };
  Module.onAbort = function (what) {
    page.onAbort(what);
    flushLines();
    post('errors', 'aborted: ' + what + '\n');
    post('exit', 'aborted\n');
  };
  Module.onRuntimeInitialized = function () { post('runtime-ready-ms', Math.round(performance.now()) + '\n'); };
  window.addEventListener('error', function (event) { post('errors', 'error: ' + event.message + '\n'); });
})();
