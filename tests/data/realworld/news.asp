<%@ Language=VBScript %>
<% Option Explicit %>
<%
Response.ContentType = "text/vnd.wap.wml"
Response.Expires = -1
Dim i, titles(3)
titles(1) = "Storm closes harbour"
titles(2) = "Rail strike ends"
titles(3) = "Local team wins cup"
%>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<!-- #include virtual="/wap/footer.inc" -->
<wml>
  <card id="index" title="News">
    <p>
      <% For i = 1 To 3 %>
      <a href="#c<%= i %>"><%= titles(i) %></a><br/>
      <% Next %>
    </p>
  </card>
<% For i = 1 To 3 %>
  <card id="c<%= i %>" title="Story <%= i %>">
    <p><%= Server.HTMLEncode(titles(i)) %><br/>
      <a href="story.asp?id=<%= i %>&amp;full=1">Full story</a></p>
    <do type="prev" label="Back"><prev/></do>
  </card>
<% Next %>
</wml>
