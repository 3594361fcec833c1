package strokelink.testhandlers;

public class RecordingHandler extends EventLog {
  public void notifyKeyPressed(short code) {
    record("P", code);
  }

  public void notifyKeyReleased(short code) {
    record("R", code);
  }
}
